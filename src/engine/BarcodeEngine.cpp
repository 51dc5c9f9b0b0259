#include "engine/BarcodeEngine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The sum of the digits of text, or -1 when it holds anything else. Eight bytes are looked
// at together, since this runs for every record of a list: they are all digits when each
// has 3 as its high half and a low half of at most 9 (which adding 6 keeps below 16, so
// that the high half stays 3); the low halves are then summed by one multiplication, which
// adds every byte into the top one.
int DigitSum(std::string_view text) {
    constexpr std::uint64_t kEachByte = 0x0101010101010101;
    int sum = 0;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, text.data() + i, 8);
        const std::uint64_t highHalves = 0xF0 * kEachByte;
        if ((bytes & highHalves) != 0x30 * kEachByte ||
            ((bytes + 0x06 * kEachByte) & highHalves) != 0x30 * kEachByte) {
            return -1;
        }
        sum += static_cast<int>(((bytes & 0x0F * kEachByte) * kEachByte) >> 56);
    }
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return -1;
        sum += text[i] - '0';
    }
    return sum;
}

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
    const int zipSum = DigitSum(zip);
    const int deliveryPointSum = DigitSum(deliveryPoint);
    if (zipSum < 0 || deliveryPointSum < 0) {
        const std::string digits = std::string(zip) + std::string(deliveryPoint);
        const char c =
            *std::find_if(digits.begin(), digits.end(), [](char d) { return !IsDigit(d); });
        throw MarrowbyError("'" + std::string(1, c) + "' is not a valid integer value");
    }
    if (preferences_.size() <= kFrameBarEntry) {
        // Not loaded, or a file that could not be read: name the file and its line.
        throw MarrowbyError("prefs.dat line " + std::to_string(kFrameBarEntry + 1) + " is missing");
    }
    const std::string& frameBar = preferences_[kFrameBarEntry];
    // Written into place character by character: a call to copy a few bytes costs more
    // than the copy itself, and this runs for every record of a list.
    std::string text(2 * frameBar.size() + zip.size() + deliveryPoint.size() + 1, '0');
    char* out = text.data() + frameBar.size();
    for (char c : zip) *out++ = c;
    for (char c : deliveryPoint) *out++ = c;
    *out++ = static_cast<char>('0' + (10 - (zipSum + deliveryPointSum) % 10) % 10);
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
