// The barcode of one typed address: when the dialog's inputs are complete, and which
// engine rule codes them.
#pragma once

#include <string>

namespace marrowby {

class BarcodeEngine;

// The inputs as typed: the street line (or a two-digit delivery point), the five ZIP
// digits, the four +4 digits and the highrise box.
struct SingleAddress {
    std::string street;
    std::string zip;
    std::string zip4;
    bool highrise = false;
};

// Complete means a street line, exactly five and four characters of ZIP, all nine digits.
bool IsComplete(const SingleAddress& address);

// Why the inputs give no barcode, for the user to read beside the bars: "ZIP must be 5
// digits", "+4 must be 4 digits" or that the address is missing. Empty while nothing has
// been typed in the ZIP fields, and for complete inputs.
std::string NoBarcodeReason(const SingleAddress& address);

// The barcode text, or empty while the inputs are not complete. Two digits in the street
// line are a delivery point, whatever the highrise box says.
std::string SingleBarcodeText(const BarcodeEngine& engine, const SingleAddress& address);

// The bars Marrowby draws for a barcode text of the dialog: both frame bars around the
// bars of the twelve digits, whatever character the user's barcode font takes for a
// frame bar (a reader refuses a barcode without them). Empty for an empty text.
std::string DrawnBarPattern(const std::string& barcodeText);

}  // namespace marrowby
