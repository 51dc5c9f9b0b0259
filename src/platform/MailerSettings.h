// The mailer settings in mailer.dat: who mails, the next serial number, and which barcode
// mailing lists and envelopes get (POSTNET unless Intelligent Mail is chosen).
#pragma once

#include <filesystem>
#include <string>

#include "engine/IntelligentMailTracking.h"
#include "platform/SettingsFile.h"

inline constexpr const char* MailerSettingsFileName = "mailer.dat";

// Lines of mailer.dat, counted from 0, one value each, CR LF line ends:
//   0  title, written back as read
//   1  barcode for lists and envelopes: "0" POSTNET, "1" Intelligent Mail
//   2  mailer ID (six or nine digits; empty until entered)
//   3  service type identifier (three digits)
//   4  barcode identifier (two digits, "00" for letters)
//   5  next serial number of the Intelligent Mail barcodes, in decimal
//   6  tray labels: label kind                 (reserved for the tray labels;
//   7  tray labels: next tray serial number     kept as read until they are
//   8  tray labels: processing code             given their own entries)
//   9  tray labels: label type
// Lines after these are kept byte for byte.
namespace MailerEntry {
constexpr int Title = 0;
constexpr int Barcode = 1;
constexpr int MailerId = 2;
constexpr int ServiceType = 3;
constexpr int BarcodeId = 4;
constexpr int NextSerial = 5;
}  // namespace MailerEntry

enum class BarcodeChoice { Postnet, IntelligentMail };

struct MailerSettings {
    BarcodeChoice barcode = BarcodeChoice::Postnet;
    MailerIdentity identity;
    std::string nextSerial = "1";  // as stored, so that a bad line can be shown and mended
    LineList lines;                // the file as read, so that other lines survive a save

    bool intelligentMail() const { return barcode == BarcodeChoice::IntelligentMail; }
    // Empty when Intelligent Mail can be chosen; otherwise what is missing first.
    std::string whyNotIntelligentMail() const;
    // The next serial as a number. Throws MarrowbyError naming mailer.dat and the value
    // when it is not a decimal number of at most nine digits.
    unsigned long long serial() const;
    // Hands out serials from the next one. Throws MarrowbyError when Intelligent Mail
    // cannot be used with these settings.
    SerialIssuer issuer() const;
};

const LineList& DefaultMailerLines();
// Reads mailer.dat of the folder; a missing or short file is completed with the default
// lines in memory only, so reading never creates or changes a file.
// Throws MarrowbyError when the file exists but cannot be read.
MailerSettings LoadMailerSettings(const std::filesystem::path& folder);
// Writes the whole file, the values over their lines and every other line as read.
void SaveMailerSettings(const std::filesystem::path& folder, const MailerSettings& settings);
