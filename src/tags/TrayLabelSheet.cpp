#include "tags/TrayLabelSheet.h"

#include "engine/MarrowbyError.h"
#include "tags/TrayLabel24.h"

namespace marrowby {

int PrintedTagCount(const TagSheet& sheet) {
    int count = 0;
    for (const auto& tag : sheet.tags) count += tag.has_value();
    return count;
}

TrayLabelPlaces TrayLabelsOf(const TagSheet& sheet, const MailerSettings& settings,
                             std::uint64_t firstSerial) {
    const std::string problem = TrayLabelsProblem(settings);
    if (!problem.empty()) throw MarrowbyError("Tray labels: " + problem);
    // Serials are not started again from 0: a label that repeats one would be refused.
    const std::uint64_t count = TraySerialCount(settings.identity.mailerId);
    if (firstSerial + PrintedTagCount(sheet) > count) {
        throw MarrowbyError(
            "Tray labels: this sheet needs " + std::to_string(PrintedTagCount(sheet)) +
            " tray serial numbers from " + std::to_string(firstSerial) +
            ", but the last one beside this mailer ID is " + std::to_string(count - 1) +
            ". Set the next tray serial number in "
            "Mailer Settings.");
    }
    TrayLabelPlaces places;
    std::uint64_t serial = firstSerial;
    for (size_t n = 0; n < sheet.tags.size(); ++n) {
        if (sheet.tags[n]) places[n] = TrayLabelDigitsOf(*sheet.tags[n], settings, serial++);
    }
    return places;
}

TrayLabelPlaces NextTrayLabels(const TagSheet& sheet, const MailerSettings& settings) {
    return TrayLabelsOf(sheet, settings, settings.traySerial());
}

TrayLabelPlaces IssueTrayLabels(const std::filesystem::path& folder, const TagSheet& sheet) {
    MailerSettings settings = LoadMailerSettings(folder);
    const TrayLabelPlaces places = NextTrayLabels(sheet, settings);
    settings.nextTraySerial = std::to_string(settings.traySerial() + PrintedTagCount(sheet));
    SaveMailerSettings(folder, settings);
    return places;
}

}  // namespace marrowby
