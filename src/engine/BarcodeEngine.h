// POSTNET delivery-point barcodes: the barcode text for the font and its bar pattern.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowby {

// Computes barcode texts. The frame-bar string is read from entry 3 of the preference
// list at every call, so a saved preference takes effect with the next barcode.
// Both lists are owned by the application and outlive the engine.
class BarcodeEngine {
  public:
    BarcodeEngine(const std::vector<std::string>& preferences,
                  const std::vector<std::string>& designators);

    // Ordinary address or explicit delivery point. Zip holds nine digits.
    // Throws MarrowbyError("'x' is not a valid integer value") for a non-digit.
    std::string ComputeBarcodes(std::string_view address, std::string_view zip,
                                std::string_view deliveryPoint) const;
    // Address treated by the Postal Service as a highrise.
    std::string Highrise(std::string_view address, std::string_view zip) const;
    // The ZIP and delivery-point digits of a barcode text this engine made, without its
    // frame bars and check digit: the routing code of an Intelligent Mail barcode.
    std::string BarcodeDigits(const std::string& barcodeText) const;

  private:
    std::string finish(std::string_view zip, std::string_view deliveryPoint) const;

    const std::vector<std::string>& preferences_;
    const std::vector<std::string>& designators_;
};

// "L" (full bar) and "S" (half bar) for every character of a barcode text.
std::string PostnetBarPattern(const std::string& barcodeText);

// The 41 secondary-unit designators of the highrise rule, in order of precedence.
std::vector<std::string> DesignatorTable();

}  // namespace marrowby
