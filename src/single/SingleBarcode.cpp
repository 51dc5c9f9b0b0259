#include "single/SingleBarcode.h"

#include <algorithm>

#include "engine/BarcodeEngine.h"

namespace marrowby {

namespace {

// Nine ZIP digits, two delivery-point digits and the check digit.
constexpr std::size_t kBarcodeDigits = 12;

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsComplete(const SingleAddress& address) {
    return !address.street.empty() && address.zip.size() == 5 && address.zip4.size() == 4 &&
           AllDigits(address.zip) && AllDigits(address.zip4);
}

std::string NoBarcodeReason(const SingleAddress& address) {
    if (address.zip.empty() && address.zip4.empty()) return {};
    if (address.zip.size() != 5 || !AllDigits(address.zip)) return "ZIP must be 5 digits";
    if (address.zip4.size() != 4 || !AllDigits(address.zip4)) return "+4 must be 4 digits";
    if (address.street.empty()) return "Enter an address or delivery point";
    return {};
}

std::string SingleBarcodeText(const BarcodeEngine& engine, const SingleAddress& address) {
    if (!IsComplete(address)) return {};
    const std::string zip = address.zip + address.zip4;
    if (address.street.size() == 2 && AllDigits(address.street))
        return engine.ComputeBarcodes("", zip, address.street);
    if (address.highrise) return engine.Highrise(address.street, zip);
    return engine.ComputeBarcodes(address.street, zip, "");
}

std::string DrawnBarPattern(const std::string& barcodeText) {
    if (barcodeText.size() < kBarcodeDigits) return {};
    // The frame-bar string stands at both ends, so the digits are the middle twelve.
    const std::string digits =
        barcodeText.substr((barcodeText.size() - kBarcodeDigits) / 2, kBarcodeDigits);
    return "L" + PostnetBarPattern(digits) + "L";
}

}  // namespace marrowby
