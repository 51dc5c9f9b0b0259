#include "tags/TrayLabel24.h"

#include "engine/IntelligentMailTracking.h"
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

char OneDigit(std::string_view field, const std::string& value) {
    if (value.empty()) throw MarrowbyError("Tray label: the " + std::string(field) + " is not set");
    if (value.size() != 1 || !AllDigits(value)) {
        throw MarrowbyError("Tray label: the " + std::string(field) + " " + value +
                            " is not one digit");
    }
    return value[0];
}

// The serial fills the 14 digits the mailer ID leaves: 8 beside six digits, 5 beside nine.
size_t SerialDigitsFor(std::string_view mailerId) {
    if (!MailerIdProblem(std::string(mailerId)).empty()) {
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
                            const MailerSettings& settings, std::uint64_t serial) {
    RequireDigits("destination ZIP", zip, 5);
    RequireDigits("content identifier", contentCode, 3);
    const char processingCode = OneDigit("processing code", settings.processingCode);
    const std::string& mailerId = settings.identity.mailerId;
    const size_t serialDigits = SerialDigitsFor(mailerId);
    if (serial >= PowerOfTen(serialDigits)) {
        throw MarrowbyError("Tray label: the serial number " + std::to_string(serial) +
                            " has more than the " + std::to_string(serialDigits) +
                            " digits that a " + std::to_string(mailerId.size()) +
                            "-digit mailer ID leaves");
    }
    const char labelType = OneDigit("label type", settings.labelType);

    std::string serialText = std::to_string(serial);
    serialText.insert(0, serialDigits - serialText.size(), '0');
    return std::string(zip) + std::string(contentCode) + processingCode + mailerId + serialText +
           labelType;
}

std::string TrayLabelDigitsOf(const TagValues& tag, const MailerSettings& settings,
                              std::uint64_t serial) {
    const std::string_view digits = tag.barcodeDigits;
    const std::string_view contentCode = digits.size() > 5 ? digits.substr(5, 3) : "";
    return TrayLabelDigits(digits.substr(0, 5), contentCode, settings, serial);
}

std::uint64_t TraySerialCount(std::string_view mailerId) {
    return PowerOfTen(SerialDigitsFor(mailerId));
}

std::string TrayLabelsProblem(const MailerSettings& settings) {
    const std::string mailerIdProblem = MailerIdProblem(settings.identity.mailerId);
    if (!mailerIdProblem.empty()) return mailerIdProblem + " 24-digit tray labels carry it.";
    if (settings.processingCode.size() != 1 || !AllDigits(settings.processingCode))
        return "Set the processing code: one digit, as your labeling instructions give it.";
    if (settings.labelType.size() != 1 || !AllDigits(settings.labelType))
        return "Set the label type: one digit, as your labeling instructions give it.";
    const size_t serialDigits = SerialDigitsFor(settings.identity.mailerId);
    const std::string& serial = settings.nextTraySerial;
    if (!serial.empty() && serial.size() <= serialDigits && AllDigits(serial)) return {};
    return "The next tray serial number must be a number of at most " +
           std::to_string(serialDigits) + " digits beside a mailer ID of " +
           std::to_string(settings.identity.mailerId.size()) + " digits.";
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
