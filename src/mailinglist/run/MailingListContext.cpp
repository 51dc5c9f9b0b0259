#include "mailinglist/run/MailingListContext.h"

#include "engine/AsciiUpper.h"

bool StartArguments::unattended() const {
    return arguments.size() >= 2 && AsciiUpper(arguments[1]) == "NOSTOP";
}

RunSettings RunSettingsOf(const std::vector<std::string>& preferences) {
    return {.addMode = preferences.size() < 2 || preferences[1] != "1",
            .askForBarcodeFileName = preferences.size() > 2 && preferences[2] == "1",
            .frameBar = preferences.size() > 3 ? preferences[3] : std::string()};
}
