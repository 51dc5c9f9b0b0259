// One mailing list read record by record during a run, with the barcode of each record
// stored back into the list (add mode). Text, dBase and Access lists each have one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowby {

using FieldList = std::vector<std::string>;
// Fields as views into a record kept elsewhere, so that a run copies none.
using FieldViews = std::vector<std::string_view>;

class RecordSource {
  public:
    virtual ~RecordSource() = default;

    // Reads the next record into fields (at least every identified position, emptied
    // first); false when the list has no more records. Throws MarrowbyError on a read error.
    virtual bool readRecord(FieldList& fields) = 0;
    // As readRecord, for a caller that looks at the record only until the next is read:
    // views valid until then, at least at every identified position, or null when the
    // list has no more records. By default views, kept in `views`, of the copies that
    // readRecord makes in storage.
    virtual const FieldViews* readRecordViews(FieldList& storage, FieldViews& views) {
        if (!readRecord(storage)) return nullptr;
        views.assign(storage.begin(), storage.end());
        return &views;
    }
    // Add mode: stores the barcode (empty for an uncoded record) for the record last read.
    virtual void storeBarcode(const std::string& barcode) = 0;
    // Makes the run's changes permanent and closes the list. Throws MarrowbyError when
    // it cannot, after leaving the list as it was (or, where the list is updated in
    // place, with a message that says precisely what was written).
    virtual void finish() = 0;
    // Closes the list after a failure, undoing what can be undone. Never throws.
    virtual void abandon() noexcept = 0;
};

}  // namespace marrowby
