// The 24-digit labels of a sheet of tags: the digits of every printed tag, their tray
// serials consecutive in place order, taken from mailer.dat one sheet at a time.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/MailerSettings.h"
#include "tags/TagSheet.h"

namespace marrowby {

// Place n (1 to 10) holds the digits of tags[n - 1]; an empty place holds none.
using TrayLabelPlaces = std::array<std::string, 10>;

int PrintedTagCount(const TagSheet& sheet);

// The labels of the sheet with serials from firstSerial on. Throws MarrowbyError when the
// settings cannot make them or the last serial would not fit beside the mailer ID.
TrayLabelPlaces TrayLabelsOf(const TagSheet& sheet, const MailerSettings& settings,
                             std::uint64_t firstSerial);

// The labels the next printed sheet will carry; nothing is stored, so a preview uses none.
TrayLabelPlaces NextTrayLabels(const TagSheet& sheet, const MailerSettings& settings);

// Takes the serials of one printed sheet: reads mailer.dat in the folder anew, makes the
// labels from its next tray serial and stores the serial after the sheet's, all before
// the sheet's job starts, so that a job cancelled later has still used them and no serial
// is ever printed twice. Throws MarrowbyError, storing nothing, as TrayLabelsOf does.
TrayLabelPlaces IssueTrayLabels(const std::filesystem::path& folder, const TagSheet& sheet);

}  // namespace marrowby
