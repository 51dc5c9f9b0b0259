#include "single/SingleIntelligentMail.h"

#include "platform/MailerSettings.h"

std::string NextIntelligentMailBars(const MailerSettings& settings, const std::string& routing) {
    return settings.issuer().issue(routing);
}

std::string IssueIntelligentMailBars(const std::filesystem::path& folder,
                                     const std::string& routing) {
    MailerSettings settings = LoadMailerSettings(folder);
    SerialIssuer issuer = settings.issuer();
    const std::string bars = issuer.issue(routing);
    settings.nextSerial = std::to_string(issuer.next());
    SaveMailerSettings(folder, settings);
    return bars;
}
