// The identification dialog as the road to a run sees it, so that the road runs without
// a window in tests: it shows the transfer lines and writes the user's choice back.
#pragma once

#include <string>
#include <vector>

class MailingList;

// The eleven transfer lines: kind, file name, record count, field count and the seven
// field positions (address, 5-digit ZIP, +4, 9-digit ZIP, highrise, barcode, delivery point).
using TransferLines = std::vector<std::string>;

class FieldIdentifier {
  public:
    virtual ~FieldIdentifier() = default;

    // Shows the choice and lets the user change it; lines 4 to 10 hold the choice
    // afterwards, whatever the result. Returns 1 for Finish, 2 for Cancel.
    virtual int identifyFields(TransferLines& transferLines, MailingList& list) = 0;
};
