// The run's source for a dBase table: records read in order, barcodes written in place.
#pragma once

#include <memory>
#include <string>

#include "mailinglist/RecordSource.h"
#include "mailinglist/dbase/DbaseTable.h"
#include "mailinglist/run/RunPlan.h"

namespace marrowby {

// Opens the table at path, which must still have the layout it had when it was counted.
// Add mode opens it for writing under an exclusive lock; barcodes-only mode only reads it.
// Throws MarrowbyError("Marrowby could not update <name>: <reason>") (or "could not
// read" in barcodes-only mode) before any record is read when it cannot.
std::unique_ptr<RecordSource> OpenDbaseRecordSource(const std::string& path,
                                                    const DbaseLayout& layout, const RunPlan& plan);

}  // namespace marrowby
