// Which field of a mailing list plays which role: by the field names, by the contents of
// the first three records, and the checks a confirmed choice must pass before a run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mailinglist/RecordSource.h"
#include "mailinglist/run/RunPlan.h"

class MailingList;

// The position that at least two of the three hold, else -1.
int VoteOfThree(int first, int second, int third);

// Sets the roles whose names appear among the field names (whole names, any case).
void IdentifyByNames(const std::vector<std::string>& names, FieldRoles& roles);

// The candidates one record offers for the roles found from contents.
FieldRoles ContentCandidates(const FieldList& record, int fieldCount);

// Fills the roles the names left at -1 (all but the highrise flag) by a vote of the
// candidates of the first three records.
void IdentifyByContents(MailingList& list, FieldRoles& roles);

// A list that stores its barcodes in one of its own fields (dBase, Access) in add mode is
// never offered a barcode field that holds data: such a proposal gives way to the first field
// free for barcodes, wide enough for one and held by no other role, or to none.
// frameBar: the frame of the barcodes an earlier run may have stored.
void KeepBarcodesOffData(MailingList& list, bool addMode, std::string_view frameBar,
                         FieldRoles& roles);

// Contents are examined unless the names already give a whole ZIP, an address or delivery
// point, and a barcode field where one is needed.
bool NeedsContentIdentification(const FieldRoles& roles, bool addMode);

// The message of the first check the choice fails, or nothing when a run can start.
std::optional<std::string> CheckRoles(const FieldRoles& roles, bool addMode, MailingList& list);
