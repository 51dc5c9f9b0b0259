// Reading and writing mailer.dat.
#include "platform/MailerSettings.h"

#include <system_error>

#include "engine/MarrowbyError.h"

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
    const fs::path file = folder / MailerSettingsFileName;
    std::error_code error;
    MailerSettings settings;
    settings.lines = fs::exists(file, error) ? ReadLineList(file) : LineList{};
    const LineList& defaults = DefaultMailerLines();
    for (size_t i = settings.lines.size(); i < defaults.size(); ++i) {
        settings.lines.push_back(defaults[i]);
    }
    const LineList& lines = settings.lines;
    settings.barcode = lines[MailerEntry::Barcode] == "1" ? BarcodeChoice::IntelligentMail
                                                          : BarcodeChoice::Postnet;
    settings.identity.mailerId = lines[MailerEntry::MailerId];
    settings.identity.serviceType = lines[MailerEntry::ServiceType];
    settings.identity.barcodeId = lines[MailerEntry::BarcodeId];
    settings.nextSerial = lines[MailerEntry::NextSerial];
    const auto trayLine = [&lines](int entry) {
        return static_cast<size_t>(entry) < lines.size()
                   ? lines[entry]
                   : kDefaultTrayLines[entry - MailerEntry::TrayLabelKind];
    };
    settings.trayLabels = trayLine(MailerEntry::TrayLabelKind) == "1"
                              ? TrayLabelChoice::IntelligentMail
                              : TrayLabelChoice::InterleavedTwoOfFive;
    settings.nextTraySerial = trayLine(MailerEntry::NextTraySerial);
    settings.processingCode = trayLine(MailerEntry::ProcessingCode);
    settings.labelType = trayLine(MailerEntry::LabelType);
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

    const LineList trayValues = {settings.intelligentMailTrayLabels() ? "1" : "0",
                                 settings.nextTraySerial, settings.processingCode,
                                 settings.labelType};
    const size_t trayEnd = MailerEntry::LabelType + 1;
    if (lines.size() < trayEnd && trayValues != kDefaultTrayLines) {
        lines.insert(lines.end(),
                     kDefaultTrayLines.begin() + (lines.size() - MailerEntry::TrayLabelKind),
                     kDefaultTrayLines.end());
    }
    if (lines.size() >= trayEnd) {
        // A label kind line other than "1" reads as the Interleaved 2 of 5 labels and is
        // kept as it stands while they stay chosen.
        std::string& kind = lines[MailerEntry::TrayLabelKind];
        if ((kind == "1") != settings.intelligentMailTrayLabels()) kind = trayValues[0];
        for (int entry = MailerEntry::NextTraySerial; entry <= MailerEntry::LabelType; ++entry)
            lines[entry] = trayValues[entry - MailerEntry::TrayLabelKind];
    }
    WriteLineList(folder / MailerSettingsFileName, lines);
}
