#include "mailinglist/run/IntelligentMailRun.h"

#include <algorithm>

#include "engine/BarcodeEngine.h"
#include "engine/IntelligentMail.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/run/RunPlan.h"

namespace {

constexpr int kBarCount = 65;

// Why the barcode field cannot take the 65 letters, or nothing.
std::optional<std::string> BarFieldProblem(MailingList& list, int field, bool addMode) {
    if (!addMode || field < 0) return std::nullopt;
    const int capacity = list.textCapacity(field);
    if (capacity < 0 || capacity >= kBarCount) return std::nullopt;
    const std::vector<std::string> names = list.fieldNames();
    const std::string name =
        field < static_cast<int>(names.size()) ? names[field] : std::to_string(field + 1);
    return "The field " + name + " that you chose for barcodes holds " + std::to_string(capacity) +
           " characters, too few for an Intelligent Mail barcode: it must be able to hold at "
           "least 65 characters.";
}

}  // namespace

std::optional<std::string> IntelligentMailFieldProblem(const std::filesystem::path& folder,
                                                       MailingList& list, int barcodeField,
                                                       bool addMode) {
    if (folder.empty() || !LoadMailerSettings(folder).intelligentMail()) return std::nullopt;
    return BarFieldProblem(list, barcodeField, addMode);
}

std::unique_ptr<IntelligentMailRun> IntelligentMailRun::Start(const std::filesystem::path& folder,
                                                              MailingList& list,
                                                              const RunPlan& plan) {
    if (folder.empty()) return nullptr;
    MailerSettings settings = LoadMailerSettings(folder);
    if (!settings.intelligentMail()) return nullptr;
    SerialIssuer issuer = settings.issuer();
    if (const auto problem = BarFieldProblem(list, plan.roles.barcode, plan.addMode)) {
        throw MarrowbyError(*problem + " Nothing has been changed.");
    }
    auto run = std::make_unique<IntelligentMailRun>(folder, std::move(issuer));
    run->issuer_.requireRoomFor(static_cast<unsigned long long>(std::max(plan.recordCount, 0L)));
    return run;
}

IntelligentMailRun::IntelligentMailRun(std::filesystem::path folder, SerialIssuer issuer)
    : folder_(std::move(folder)), issuer_(std::move(issuer)), saved_(issuer_.next()) {}

std::string IntelligentMailRun::code(const std::string& postnetText, const BarcodeEngine& engine) {
    if (postnetText.empty()) return {};
    return issuer_.issue(engine.BarcodeDigits(postnetText));
}

std::string IntelligentMailRun::saveNextSerial() noexcept {
    if (issuer_.next() == saved_) return {};
    try {
        // Only the serial changes: whatever else the file holds now stays.
        MailerSettings settings = LoadMailerSettings(folder_);
        settings.nextSerial = std::to_string(issuer_.next());
        SaveMailerSettings(folder_, settings);
        saved_ = issuer_.next();
        return {};
    } catch (const std::exception& error) {
        return std::string("The next serial number, ") + std::to_string(issuer_.next()) +
               ", could not be saved: " + error.what();
    }
}
