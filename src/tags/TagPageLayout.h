// The sheet of tray and sack tags: ten places in two columns of five, each tag laid out
// as a tray or a sack tag with its text, its barcode and, on automation trays, stripes.
#pragma once

#include <vector>

#include "platform/PrintSurface.h"
#include "tags/TagFonts.h"
#include "tags/TagPageUnits.h"
#include "tags/TagSheet.h"
#include "tags/TrayLabelSheet.h"

namespace marrowby {

// The smallest size a text line is reduced to before it is cut to fit its room.
inline constexpr int kSmallestTagTextSize = 6;

// Top left corner of tag place n (1 to 10) in pixels of the printable area. The first
// row starts half an inch down, or two and a half inches down when the printable area
// itself begins lower than half an inch.
DevicePoint TagPlace(int n, const TagPageUnits& units, DevicePoint printingOffset);

// The four slanted bars of an automation tray tag, their feet on the base line at base.
// Leaves the fill white.
void drawstripes(PrintSurface& surface, const TagPageUnits& units, DevicePoint base);

// How the sheet's five rows of places go onto paper. The rows whose tags fit the printable
// area stay on the first page in their own places; the rows below follow on further pages
// in the places of the first rows, so no tag is cut off at the bottom of the sheet. Pages
// holding no filled tag are left out; a sheet without tags is one blank page.
struct TagSheetPaging {
    int rowsPerPage = 5;
    std::vector<int> firstRows;  // per page, the row (0 to 4) drawn in the top places
};
// With labels, every place is as deep as a 24-digit sack label.
TagSheetPaging PageTagSheet(const PrintSurface& surface, const TagSheet& sheet,
                            const TagFonts& fonts, const TrayLabelPlaces* labels = nullptr);

// Draws the filled places of rows firstRow to firstRow + rows - 1 into the job already begun
// on the surface, in the places of rows 0 onwards. Every text line keeps to its room on
// the tag: a line too long for it is set smaller, down to kSmallestTagTextSize, and only
// then cut at the end. With labels, every tag carries its 24-digit label in place of the
// Interleaved 2 of 5 symbol and digits: on a tray tag where that symbol stood, with the
// figures under the bars and no stripes (they would fall into the symbol); on a sack tag
// below the origin line, the cut line moved down under it.
void printtags(PrintSurface& surface, const TagSheet& sheet, const TagFonts& fonts,
               int firstRow = 0, int rows = 5, const TrayLabelPlaces* labels = nullptr);

}  // namespace marrowby
