// A mailing-list file opened by "Add Barcodes to a File", whatever its kind: what the
// identification by names and contents, the record viewer and the run need of it.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mailinglist/RecordSource.h"
#include "mailinglist/run/RunPlan.h"

class MailingList {
  public:
    virtual ~MailingList() = default;

    virtual std::string kind() const = 0;
    virtual std::string fileName() const = 0;  // full path
    virtual long recordCount() const = 0;
    virtual int fieldCount() const = 0;

    // Field names for identification by name, as stored (dBase: trailing spaces and
    // NULs removed); empty for kinds without field names.
    virtual std::vector<std::string> fieldNames() = 0;
    // The values that content identification examines in pass 1, 2 or 3.
    virtual FieldList identificationRecord(int pass) = 0;
    // Width in bytes of the field at a position, or -1 where fields have no fixed width.
    virtual int fieldWidth(int position) const = 0;
    // How many characters a stored value of the field may have, or -1 for no limit.
    virtual int textCapacity(int position) const { return fieldWidth(position); }
    // For each field, whether it holds text and `allowed` accepts its value in every record,
    // read apart from the run's own reading: where barcodes may go without losing data.
    // Lists that add a barcode field of their own are not asked and answer true for all.
    virtual std::vector<bool> textFieldsHoldingOnly(
        const std::function<bool(std::string_view)>& /*allowed*/) {
        return std::vector<bool>(static_cast<size_t>(std::max(fieldCount(), 0)), true);
    }

    // Record viewer of the identification dialog: names as the lists show them (an
    // empty list for kinds without names) and record n (1-based) as stored.
    virtual std::vector<std::string> viewerFieldNames() = 0;
    virtual FieldList viewerRecord(long n) = 0;

    // The run's source. Checks that the list can be written (add mode) before any
    // record is read; throws MarrowbyError with the reason when it cannot.
    virtual std::unique_ptr<RecordSource> openSource(const RunPlan& plan) = 0;
};
