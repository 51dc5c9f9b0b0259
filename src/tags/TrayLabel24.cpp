#include "tags/TrayLabel24.h"

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

void RequireDigits(std::string_view field, std::string_view value, size_t count) {
    if (value.size() != count || !AllDigits(value)) {
        throw MarrowbyError("Tray label: the " + std::string(field) + " '" + std::string(value) +
                            "' is not " + std::to_string(count) + " digits");
    }
}

char OneDigit(std::string_view field, const std::optional<int>& value) {
    if (!value) throw MarrowbyError("Tray label: the " + std::string(field) + " is not set");
    if (*value < 0 || *value > 9) {
        throw MarrowbyError("Tray label: the " + std::string(field) + " " + std::to_string(*value) +
                            " is not one digit");
    }
    return static_cast<char>('0' + *value);
}

// Six-digit mailer IDs run from 000000 to 899999 and nine-digit ones from 900000000 to
// 999999999, so that the first digit tells a reader which length follows.
size_t SerialDigitsFor(std::string_view mailerId) {
    const bool valid = AllDigits(mailerId) && ((mailerId.size() == 6 && mailerId[0] != '9') ||
                                               (mailerId.size() == 9 && mailerId[0] == '9'));
    if (!valid) {
        throw MarrowbyError("Tray label: the mailer ID '" + std::string(mailerId) +
                            "' is neither 6 digits beginning with 0 to 8 nor 9 digits "
                            "beginning with 9");
    }
    return 14 - mailerId.size();
}

std::uint64_t PowerOfTen(size_t exponent) {
    std::uint64_t value = 1;
    while (exponent-- > 0) value *= 10;
    return value;
}

}  // namespace

std::string TrayLabelDigits(std::string_view zip, std::string_view contentCode,
                            const TrayLabelSettings& settings, std::uint64_t serial) {
    RequireDigits("destination ZIP", zip, 5);
    RequireDigits("content identifier", contentCode, 3);
    const char processingCode = OneDigit("processing code", settings.processingCode);
    const size_t serialDigits = SerialDigitsFor(settings.mailerId);
    if (serial >= PowerOfTen(serialDigits)) {
        throw MarrowbyError("Tray label: the serial number " + std::to_string(serial) +
                            " has more than the " + std::to_string(serialDigits) +
                            " digits that a " + std::to_string(settings.mailerId.size()) +
                            "-digit mailer ID leaves");
    }
    const char labelType = OneDigit("label type", settings.labelType);

    std::string serialText = std::to_string(serial);
    serialText.insert(0, serialDigits - serialText.size(), '0');
    return std::string(zip) + std::string(contentCode) + processingCode + settings.mailerId +
           serialText + labelType;
}

std::string TrayLabelDigitsOf(const TagValues& tag, const TrayLabelSettings& settings,
                              std::uint64_t serial) {
    const std::string_view digits = tag.barcodeDigits;
    const std::string_view contentCode = digits.size() > 5 ? digits.substr(5, 3) : "";
    return TrayLabelDigits(digits.substr(0, 5), contentCode, settings, serial);
}

std::uint64_t TraySerialCount(std::string_view mailerId) {
    return PowerOfTen(SerialDigitsFor(mailerId));
}

TrayLabelFields SplitTrayLabelDigits(std::string_view digits) {
    RequireDigits("barcode", digits, 24);
    const size_t mailerIdDigits = digits[9] == '9' ? 9 : 6;
    const size_t serialStart = 9 + mailerIdDigits;
    return {std::string(digits.substr(0, 5)),
            std::string(digits.substr(5, 3)),
            digits[8] - '0',
            std::string(digits.substr(9, mailerIdDigits)),
            std::stoull(std::string(digits.substr(serialStart, 23 - serialStart))),
            digits[23] - '0'};
}

}  // namespace marrowby
