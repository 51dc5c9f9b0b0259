// The sheet of tray and sack tags: ten places in two columns of five, each tag laid out
// as a tray or a sack tag with its text, its barcode and, on automation trays, stripes.
#pragma once

#include "platform/PrintSurface.h"
#include "tags/TagFonts.h"
#include "tags/TagPageUnits.h"
#include "tags/TagSheet.h"

// Top left corner of tag place n (1 to 10) in pixels of the printable area. The first
// row starts half an inch down, or two and a half inches down when the printable area
// itself begins lower than half an inch.
DevicePoint TagPlace(int n, const TagPageUnits& units, DevicePoint printingOffset);

// The four slanted bars of an automation tray tag, their feet on the base line at base.
// Leaves the fill white.
void drawstripes(PrintSurface& surface, const TagPageUnits& units, DevicePoint base);

// Draws every filled place of the sheet into the job already begun on the surface.
void printtags(PrintSurface& surface, const TagSheet& sheet, const TagFonts& fonts);
