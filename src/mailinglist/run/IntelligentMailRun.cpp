#include "mailinglist/run/IntelligentMailRun.h"

#include <algorithm>

#include "engine/BarcodeEngine.h"
#include "engine/IntelligentMail.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/run/RunPlan.h"

namespace {

constexpr int kBarCount = 65;

void requireRoomForBars(MailingList& list, const RunPlan& plan) {
    if (!plan.addMode || plan.roles.barcode < 0) return;
    const int capacity = list.textCapacity(plan.roles.barcode);
    if (capacity < 0 || capacity >= kBarCount) return;
    const std::vector<std::string> names = list.fieldNames();
    const std::string name = plan.roles.barcode < static_cast<int>(names.size())
                                 ? names[plan.roles.barcode]
                                 : std::to_string(plan.roles.barcode + 1);
    throw MarrowbyError("The field " + name + " that you chose for barcodes holds " +
                        std::to_string(capacity) +
                        " characters, too few for an Intelligent Mail barcode: it must be "
                        "able to hold at least 65 characters. Nothing has been changed.");
}

}  // namespace

std::unique_ptr<IntelligentMailRun> IntelligentMailRun::Start(const std::filesystem::path& folder,
                                                              MailingList& list,
                                                              const RunPlan& plan) {
    if (folder.empty()) return nullptr;
    MailerSettings settings = LoadMailerSettings(folder);
    if (!settings.intelligentMail()) return nullptr;
    SerialIssuer issuer = settings.issuer();
    requireRoomForBars(list, plan);
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
