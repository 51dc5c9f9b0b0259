// Checks of the mailer's identity and the serial numbers of Intelligent Mail barcodes.
#include "engine/IntelligentMailTracking.h"

#include <algorithm>
#include <utility>

#include "engine/IntelligentMail.h"
#include "engine/MarrowbyError.h"

namespace {

bool allDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string padded(unsigned long long value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
}

}  // namespace

std::string MailerIdProblem(const std::string& mailerId) {
    const bool sixDigits = mailerId.size() == 6 && mailerId[0] != '9';
    const bool nineDigits = mailerId.size() == 9 && mailerId[0] == '9';
    if (!allDigits(mailerId) || !(sixDigits || nineDigits)) {
        return "The mailer ID must be six digits starting with 0 to 8, or nine digits "
               "starting with 9.";
    }
    return {};
}

std::string ServiceTypeProblem(const std::string& serviceType) {
    if (serviceType.size() != 3 || !allDigits(serviceType)) {
        return "The service type identifier must be three digits.";
    }
    return {};
}

std::string BarcodeIdProblem(const std::string& barcodeId) {
    if (barcodeId.size() != 2 || !allDigits(barcodeId) || barcodeId[1] > '4') {
        return "The barcode identifier must be two digits, the second 0 to 4.";
    }
    return {};
}

std::string IdentityProblem(const MailerIdentity& identity) {
    for (const std::string& problem :
         {MailerIdProblem(identity.mailerId), ServiceTypeProblem(identity.serviceType),
          BarcodeIdProblem(identity.barcodeId)}) {
        if (!problem.empty()) return problem;
    }
    return {};
}

unsigned long long LargestSerial(const std::string& mailerId) {
    return mailerId.size() == 9 ? 999'999ULL : 999'999'999ULL;
}

std::string TrackingCode(const MailerIdentity& identity, unsigned long long serial) {
    const std::string problem = IdentityProblem(identity);
    if (!problem.empty()) throw MarrowbyError(problem);
    if (serial > LargestSerial(identity.mailerId)) {
        throw MarrowbyError("The serial number " + std::to_string(serial) +
                            " is too large for the mailer ID " + identity.mailerId + ".");
    }
    return identity.barcodeId + identity.serviceType + identity.mailerId +
           padded(serial, 15 - identity.mailerId.size());
}

SerialIssuer::SerialIssuer(MailerIdentity identity, unsigned long long next)
    : identity_(std::move(identity)), next_(next) {
    TrackingCode(identity_, next_);
}

void SerialIssuer::requireRoomFor(unsigned long long count) const {
    const unsigned long long largest = LargestSerial(identity_.mailerId);
    if (count > 0 && count - 1 > largest - next_) {
        throw MarrowbyError("The next serial number is " + std::to_string(next_) + " and " +
                            std::to_string(count) + " barcodes would pass the largest serial, " +
                            std::to_string(largest) + ", of the mailer ID " + identity_.mailerId +
                            ". Ask for another mailer ID or start the serials again in the "
                            "mailer settings once the earlier ones are more than 45 days old.");
    }
}

std::string SerialIssuer::issue(const std::string& routing) {
    const std::string bars = IntelligentMailBars(TrackingCode(identity_, next_), routing);
    ++next_;
    return bars;
}
