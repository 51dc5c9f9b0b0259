// The identification dialog as the road to a run sees it, so that the road runs without
// a window in tests: it shows the roles found for a list's fields and takes the user's choice.
#pragma once

#include "mailinglist/run/RunPlan.h"

class MailingList;

class FieldIdentifier {
  public:
    virtual ~FieldIdentifier() = default;

    // Shows the roles for the list and lets the user change them; roles hold the user's
    // choice afterwards, whatever the answer. addMode: the barcodes go into the list itself,
    // so the barcode field is offered. Returns true for Finish, false for Cancel.
    virtual bool identifyFields(FieldRoles& roles, MailingList& list, bool addMode) = 0;
};
