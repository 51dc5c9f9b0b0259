// The batch run: every record of a mailing list gets its barcode, stored in the list or
// in a separate file of barcodes only.
#pragma once

#include <string>

#include "mailinglist/RecordSource.h"
#include "mailinglist/run/RunPlan.h"

namespace marrowby {

class BarcodeEngine;
class MailingList;
struct MailingListContext;

// Nine digits from a 9-digit field (with or without its dash) or from the 5-digit and +4
// fields; empty when the record has no usable ZIP.
std::string RecordZip(const FieldList& fields, const FieldRoles& roles);
// Two digits, a single digit given its leading zero, or empty.
std::string RecordDeliveryPoint(const FieldList& fields, const FieldRoles& roles);
// The barcode text of one record, empty when it cannot be coded.
std::string RecordBarcode(const FieldList& fields, const FieldRoles& roles,
                          const BarcodeEngine& engine);

// Runs over every record. Returns true when the run completed (its message shown unless
// unattended), false when it ended early: cancelled, or a failure already reported.
bool AddBarcodes(MailingList& list, const RunPlan& plan, MailingListContext& context,
                 bool unattended);

}  // namespace marrowby
