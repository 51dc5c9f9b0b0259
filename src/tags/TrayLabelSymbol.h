// The 24-digit tray label barcode drawn on a print surface: Code 128 bars of 0.015 in
// modules, 0.72 in tall, between quiet zones, with the digits in plain figures below.
#pragma once

#include <string>
#include <string_view>

#include "platform/PrintSurface.h"

namespace marrowby {

// The font of the figures under the bars.
struct TrayLabelFigures {
    std::string fontFamily;
    int pointSize = 10;
};

// Device pixels across of the symbol at this resolution, quiet zones included; the
// per-element rounding makes it depend a little on the digits. Throws MarrowbyError
// unless the digits are exactly 24.
int TrayLabelSymbolWidth(int dpiX, std::string_view digits);

// Device pixels down from the top of the bars to the top of the figures.
int TrayLabelFiguresTop(int dpiY);

// Draws the bars with their left quiet zone starting at topLeft and their tops on its
// line, then the digits centred under them. Throws MarrowbyError, drawing nothing, unless
// the digits are exactly 24. Leaves the fill white and the figures' font set.
void DrawTrayLabelSymbol(PrintSurface& surface, std::string_view digits, DevicePoint topLeft,
                         const TrayLabelFigures& figures);

}  // namespace marrowby
