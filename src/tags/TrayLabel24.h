// The 24 digits of an Intelligent Mail tray or sack label: the tag's destination ZIP and
// content identifier, the processing code, the mailer ID, the tray serial number and the
// label type, in that order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/MailerSettings.h"
#include "tags/TagSheet.h"

namespace marrowby {

// The fields of 24 label digits, as SplitTrayLabelDigits reads them back.
struct TrayLabelFields {
    std::string zip;
    std::string contentCode;
    int processingCode = 0;
    std::string mailerId;
    std::uint64_t serial = 0;
    int labelType = 0;
    bool operator==(const TrayLabelFields&) const = default;
};

// ZIP (5 digits) + content code (3) + processing code (1) + mailer ID (6 or 9) + serial
// (8 or 5 digits, zero-filled) + label type (1), the mailer's values taken from the
// settings. Throws MarrowbyError naming the first field that does not fit.
std::string TrayLabelDigits(std::string_view zip, std::string_view contentCode,
                            const MailerSettings& settings, std::uint64_t serial);

// The same for a tag of the sheet, whose barcode digits begin with its ZIP and content code.
std::string TrayLabelDigitsOf(const TagValues& tag, const MailerSettings& settings,
                              std::uint64_t serial);

// Empty when the settings can make 24-digit labels: a valid mailer ID, both one-digit
// codes set and a next tray serial that fits beside the mailer ID. Otherwise a sentence
// saying what is missing first.
std::string TrayLabelsProblem(const MailerSettings& settings);

// How many serial numbers the mailer ID leaves: 100000000 with 6 digits, 100000 with 9,
// so the serials run from 0 to one less. Throws MarrowbyError for an invalid mailer ID.
std::uint64_t TraySerialCount(std::string_view mailerId);

// The fields of 24 label digits, the mailer ID's length told by its first digit. Throws
// MarrowbyError unless the text is 24 digits.
TrayLabelFields SplitTrayLabelDigits(std::string_view digits);

}  // namespace marrowby
