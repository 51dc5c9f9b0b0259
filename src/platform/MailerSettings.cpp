// Reading and writing mailer.dat.
#include "platform/MailerSettings.h"

#include <system_error>

#include "engine/MarrowbyError.h"

namespace fs = std::filesystem;

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
    const bool digits = !nextSerial.empty() && nextSerial.size() <= 9 &&
                        nextSerial.find_first_not_of("0123456789") == std::string::npos;
    if (!digits) {
        std::string message = "The next serial number in mailer.dat, '";
        message += nextSerial;
        message += "', is not a number of at most nine digits.";
        throw MarrowbyError(message);
    }
    return std::stoull(nextSerial);
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
    WriteLineList(folder / MailerSettingsFileName, lines);
}
