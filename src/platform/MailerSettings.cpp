// Reading and writing mailer.dat.
#include "platform/MailerSettings.h"

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

// Lines 6 to 9 as a file without them reads.
const LineList kDefaultTrayLines = {"0", "1", "", ""};

unsigned long long SerialOf(const std::string& text, const char* name, size_t maxDigits,
                            const char* maxDigitsWord) {
    const bool digits = !text.empty() && text.size() <= maxDigits &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) {
        throw MarrowbyError("The " + std::string(name) + " in mailer.dat, '" + text +
                            "', is not a number of at most " + maxDigitsWord + " digits.");
    }
    return std::stoull(text);
}

// The tray label values of the lines, a missing line read as its default.
MailerSettings TraySettingsOf(const LineList& lines) {
    const auto line = [&lines](int entry) {
        return static_cast<size_t>(entry) < lines.size()
                   ? lines[entry]
                   : kDefaultTrayLines[entry - MailerEntry::TrayLabelKind];
    };
    MailerSettings settings;
    settings.trayLabels = line(MailerEntry::TrayLabelKind) == "1"
                              ? TrayLabelChoice::IntelligentMail
                              : TrayLabelChoice::InterleavedTwoOfFive;
    settings.nextTraySerial = line(MailerEntry::NextTraySerial);
    settings.processingCode = line(MailerEntry::ProcessingCode);
    settings.labelType = line(MailerEntry::LabelType);
    return settings;
}

}  // namespace

const LineList& DefaultMailerLines() {
    static const LineList lines = {"Marrowby mailer settings", "0", "", "", "00", "1"};
    return lines;
}

std::string MailerSettings::whyNotIntelligentMail() const {
    const std::string problem = IdentityProblem(identity);
    if (!problem.empty()) {
        return problem +
               " Intelligent Mail barcodes need the mailer ID and service type "
               "that the Postal Service gave you.";
    }
    return {};
}

unsigned long long MailerSettings::serial() const {
    return SerialOf(nextSerial, "next serial number", 9, "nine");
}

unsigned long long MailerSettings::traySerial() const {
    return SerialOf(nextTraySerial, "next tray serial number", 8, "eight");
}

SerialIssuer MailerSettings::issuer() const {
    const std::string problem = whyNotIntelligentMail();
    if (!problem.empty()) throw MarrowbyError(problem);
    return SerialIssuer(identity, serial());
}

MailerSettings LoadMailerSettings(const fs::path& folder) {
    MailerSettings settings;
    settings.lines = ReadCompletedLineList(folder / MailerSettingsFileName, DefaultMailerLines());
    const LineList& lines = settings.lines;
    settings.barcode = lines[MailerEntry::Barcode] == "1" ? BarcodeChoice::IntelligentMail
                                                          : BarcodeChoice::Postnet;
    settings.identity.mailerId = lines[MailerEntry::MailerId];
    settings.identity.serviceType = lines[MailerEntry::ServiceType];
    settings.identity.barcodeId = lines[MailerEntry::BarcodeId];
    settings.nextSerial = lines[MailerEntry::NextSerial];
    const MailerSettings tray = TraySettingsOf(lines);
    settings.trayLabels = tray.trayLabels;
    settings.nextTraySerial = tray.nextTraySerial;
    settings.processingCode = tray.processingCode;
    settings.labelType = tray.labelType;
    return settings;
}

void SaveMailerSettings(const fs::path& folder, const MailerSettings& settings) {
    LineList lines = settings.lines;
    if (lines.size() < DefaultMailerLines().size()) lines.resize(DefaultMailerLines().size());
    lines[MailerEntry::Barcode].assign(1, settings.intelligentMail() ? '1' : '0');
    lines[MailerEntry::MailerId] = settings.identity.mailerId;
    lines[MailerEntry::ServiceType] = settings.identity.serviceType;
    lines[MailerEntry::BarcodeId] = settings.identity.barcodeId;
    lines[MailerEntry::NextSerial] = settings.nextSerial;

    // The tray label lines are written only when a value differs from the file as read,
    // so that saving other settings leaves them, or their absence, byte for byte.
    const MailerSettings asRead = TraySettingsOf(settings.lines);
    const bool trayChanged = asRead.trayLabels != settings.trayLabels ||
                             asRead.nextTraySerial != settings.nextTraySerial ||
                             asRead.processingCode != settings.processingCode ||
                             asRead.labelType != settings.labelType;
    if (trayChanged) {
        for (size_t i = lines.size(); i < MailerEntry::LabelType + 1; ++i)
            lines.push_back(kDefaultTrayLines[i - MailerEntry::TrayLabelKind]);
        // A label kind line other than "1" reads as the Interleaved 2 of 5 labels and is
        // kept as it stands while they stay chosen.
        std::string& kind = lines[MailerEntry::TrayLabelKind];
        if ((kind == "1") != settings.intelligentMailTrayLabels())
            kind = settings.intelligentMailTrayLabels() ? "1" : "0";
        lines[MailerEntry::NextTraySerial] = settings.nextTraySerial;
        lines[MailerEntry::ProcessingCode] = settings.processingCode;
        lines[MailerEntry::LabelType] = settings.labelType;
    }
    WriteLineList(folder / MailerSettingsFileName, lines);
}

}  // namespace marrowby
