#include "mailinglist/run/MailingListContext.h"

#include "engine/AsciiUpper.h"

bool StartArguments::unattended() const {
    return arguments.size() >= 2 && AsciiUpper(arguments[1]) == "NOSTOP";
}

bool MailingListContext::addMode() const { return preferences.size() < 2 || preferences[1] != "1"; }

bool MailingListContext::askForBarcodeFileName() const {
    return preferences.size() > 2 && preferences[2] == "1";
}

std::string MailingListContext::frameBar() const {
    return preferences.size() > 3 ? preferences[3] : std::string();
}
