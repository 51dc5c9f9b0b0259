#include "engine/BarcodeEngine.h"

#include <array>
#include <utility>

#include "engine/DeliveryPoint.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

// Entry of the preference list that holds the frame-bar string.
constexpr size_t kFrameBarEntry = 3;

// POSTNET bars of each character: L a full bar, S a half bar. Only "/" draws as the
// frame bar; other characters draw nothing. fonts/make-fonts.py reads this table to draw
// the POSTNET font, so keep its entries in the form {'c', "bars"}.
constexpr std::array<std::pair<char, const char*>, 11> kBars = {{
    {'/', "L"},
    {'0', "LLSSS"},
    {'1', "SSSLL"},
    {'2', "SSLSL"},
    {'3', "SSLLS"},
    {'4', "SLSSL"},
    {'5', "SLSLS"},
    {'6', "SLLSS"},
    {'7', "LSSSL"},
    {'8', "LSSLS"},
    {'9', "LSLSS"},
}};

}  // namespace

BarcodeEngine::BarcodeEngine(const std::vector<std::string>& preferences,
                             const std::vector<std::string>& designators)
    : preferences_(preferences), designators_(designators) {}

std::string BarcodeEngine::ComputeBarcodes(std::string_view address, std::string_view zip,
                                           std::string_view deliveryPoint) const {
    if (!deliveryPoint.empty()) return finish(zip, deliveryPoint);
    if (address.empty()) return finish(zip, "99");
    return finish(zip, OrdinaryDeliveryPoint(address));
}

std::string BarcodeEngine::Highrise(std::string_view address, std::string_view zip) const {
    return finish(zip, HighriseDeliveryPoint(std::string(address), designators_));
}

std::string BarcodeEngine::BarcodeDigits(const std::string& barcodeText) const {
    const size_t frame =
        preferences_.size() > kFrameBarEntry ? preferences_[kFrameBarEntry].size() : 0;
    if (barcodeText.size() < 2 * frame + 1) return {};
    return barcodeText.substr(frame, barcodeText.size() - 2 * frame - 1);
}

std::string BarcodeEngine::finish(std::string_view zip, std::string_view deliveryPoint) const {
    // This runs once for every record of a list: the digits are checked, summed and put in
    // place in one pass, character by character, since a call to copy a few bytes costs
    // more than the copy itself.
    const bool loaded = preferences_.size() > kFrameBarEntry;
    const std::string_view frameBar = loaded ? preferences_[kFrameBarEntry] : std::string_view();
    std::string text(2 * frameBar.size() + zip.size() + deliveryPoint.size() + 1, '0');
    char* out = text.data() + frameBar.size();
    int sum = 0;
    for (const std::string_view part : {zip, deliveryPoint}) {
        for (char c : part) {
            if (c < '0' || c > '9') {
                throw MarrowbyError("'" + std::string(1, c) + "' is not a valid integer value");
            }
            sum += c - '0';
            *out++ = c;
        }
    }
    if (!loaded) {
        // Not loaded, or a file that could not be read: name the file and its line.
        throw MarrowbyError("prefs.dat line " + std::to_string(kFrameBarEntry + 1) + " is missing");
    }
    *out++ = static_cast<char>('0' + (10 - sum % 10) % 10);
    for (size_t i = 0; i < frameBar.size(); ++i) text[i] = out[i] = frameBar[i];
    return text;
}

std::string PostnetBarPattern(const std::string& barcodeText) {
    std::string pattern;
    for (char c : barcodeText) {
        for (const auto& [character, bars] : kBars) {
            if (character == c) pattern += bars;
        }
    }
    return pattern;
}

}  // namespace marrowby
