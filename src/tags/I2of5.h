// Interleaved 2 of 5 symbols drawn as filled rectangles on a print surface: the barcode
// of every tray and sack tag.
#pragma once

#include <string_view>

#include "platform/PrintSurface.h"
#include "tags/TagPageUnits.h"

namespace marrowby {

enum class BarKind { Narrow, Wide };

// The five elements of one digit, "N" narrow and "W" wide; throws MarrowbyError for a
// character that is not a digit.
std::string_view barpattern(char digit);

// One bar at the position; the position moves to the bar's right edge.
void drawbar(PrintSurface& surface, const TagPageUnits& units, BarKind kind, DevicePoint& position);

// The whole symbol with its top left corner at topLeft (printer pixels). The digits come
// in pairs; an odd count or a non-digit throws MarrowbyError before anything is drawn.
// Leaves the fill white.
void drawbarcode(PrintSurface& surface, const TagPageUnits& units, std::string_view digits,
                 DevicePoint topLeft);

}  // namespace marrowby
