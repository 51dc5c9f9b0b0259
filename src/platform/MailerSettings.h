// The mailer settings in mailer.dat: who mails, the next serial number, which barcode
// mailing lists and envelopes get (POSTNET unless Intelligent Mail is chosen), and which
// labels the tag sheet prints.
#pragma once

#include <filesystem>
#include <string>

#include "engine/IntelligentMailTracking.h"
#include "platform/SettingsFile.h"

namespace marrowby {

inline constexpr const char* MailerSettingsFileName = "mailer.dat";

// Lines of mailer.dat, counted from 0, one value each, CR LF line ends:
//   0  title, written back as read
//   1  barcode for lists and envelopes: "0" POSTNET, "1" Intelligent Mail
//   2  mailer ID (six or nine digits; empty until entered)
//   3  service type identifier (three digits)
//   4  barcode identifier (two digits, "00" for letters)
//   5  next serial number of the Intelligent Mail barcodes, in decimal
//   6  tag sheet labels: "0" the 10- and 8-digit Interleaved 2 of 5 labels, "1" the
//      24-digit Intelligent Mail tray labels
//   7  next tray serial number of the 24-digit labels, in decimal
//   8  processing code of the 24-digit labels (one digit; empty until chosen)
//   9  label type of the 24-digit labels (one digit; empty until chosen)
// Lines after these are kept byte for byte. A file without lines 6 to 9 stays without
// them until a tray label setting differs from its default.
namespace MailerEntry {
constexpr int Title = 0;
constexpr int Barcode = 1;
constexpr int MailerId = 2;
constexpr int ServiceType = 3;
constexpr int BarcodeId = 4;
constexpr int NextSerial = 5;
constexpr int TrayLabelKind = 6;
constexpr int NextTraySerial = 7;
constexpr int ProcessingCode = 8;
constexpr int LabelType = 9;
}  // namespace MailerEntry

enum class BarcodeChoice { Postnet, IntelligentMail };
enum class TrayLabelChoice { InterleavedTwoOfFive, IntelligentMail };

struct MailerSettings {
    BarcodeChoice barcode = BarcodeChoice::Postnet;
    MailerIdentity identity;
    std::string nextSerial = "1";  // as stored, so that a bad line can be shown and mended
    TrayLabelChoice trayLabels = TrayLabelChoice::InterleavedTwoOfFive;
    // The tray label values as stored, like nextSerial. The two one-digit codes have no
    // default: the user sets them.
    std::string nextTraySerial = "1";
    std::string processingCode;
    std::string labelType;
    LineList lines;  // the file as read, so that other lines survive a save

    bool intelligentMail() const { return barcode == BarcodeChoice::IntelligentMail; }
    // Empty when Intelligent Mail can be chosen; otherwise what is missing first.
    std::string whyNotIntelligentMail() const;
    // The next serial as a number. Throws MarrowbyError naming mailer.dat and the value
    // when it is not a decimal number of at most nine digits.
    unsigned long long serial() const;
    // Hands out serials from the next one. Throws MarrowbyError when Intelligent Mail
    // cannot be used with these settings.
    SerialIssuer issuer() const;

    bool intelligentMailTrayLabels() const {
        return trayLabels == TrayLabelChoice::IntelligentMail;
    }
    // The next tray serial as a number. Throws MarrowbyError naming mailer.dat and the
    // value when it is not a decimal number of at most eight digits.
    unsigned long long traySerial() const;
};

const LineList& DefaultMailerLines();
// Reads mailer.dat of the folder; a missing or short file is completed with the default
// lines in memory only, so reading never creates or changes a file.
// Throws MarrowbyError when the file exists but cannot be read.
MailerSettings LoadMailerSettings(const std::filesystem::path& folder);
// Writes the whole file, the values over their lines and every other line as read.
void SaveMailerSettings(const std::filesystem::path& folder, const MailerSettings& settings);

}  // namespace marrowby
