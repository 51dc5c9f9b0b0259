// The envelope barcode on paper: bars only, in the bottom right corner of the page,
// one print job per copy.
#pragma once

#include <string>

#include "platform/PrintSurface.h"

// The paper's bottom right corner in printable-area coordinates, taking the right and
// bottom margins to equal the left and top ones: where envelope barcodes are measured from.
DevicePoint PaperCorner(const PrintSurface& surface);

// Draws one bar per letter of the pattern ("L" full bar, "S" half bar): the first bar
// 4 inches left of the paper's right edge, the baseline 1/4 inch above its bottom edge.
void DrawEnvelopeBarcode(PrintSurface& surface, const std::string& barPattern);

// Prints the bars as `copies` separate jobs titled "Single Barcode".
// Throws MarrowbyError when the printer does not start a job.
void PrintEnvelopeBarcode(PrintSurface& surface, const std::string& barPattern, int copies);
