// The Intelligent Mail barcode on an envelope: 65 four-state bars drawn where the
// POSTNET bars go, in the barcode clear zone at the bottom right of the piece.
#pragma once

#include <functional>
#include <string>

class PrintSurface;

// Draws one bar per letter (A ascender, D descender, F full bar, T tracker), 22 bars to
// the inch, 0.020 in wide, full bars 0.145 in tall: the first bar 4 inches left of the
// paper's right edge, the bottom of the full bars 1/4 inch above its bottom edge.
void DrawEnvelopeImb(PrintSurface& surface, const std::string& bars);

// Prints `copies` jobs titled "Single Barcode"; each asks nextBars for its own barcode,
// so that every printed barcode carries its own serial number. Throws MarrowbyError
// when the printer does not start a job or nextBars refuses.
void PrintEnvelopeImb(PrintSurface& surface, const std::function<std::string()>& nextBars,
                      int copies);
