// The libmdb header with glib included first, so that C++ files can include it, and the
// owners that release what libmdb hands out.
#pragma once

#include <glib.h>
#include <mdbtools.h>

#include <memory>

namespace marrowby {

struct MdbHandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct MdbTableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using MdbHandlePtr = std::unique_ptr<MdbHandle, MdbHandleCloser>;
using MdbTablePtr = std::unique_ptr<MdbTableDef, MdbTableFreer>;

}  // namespace marrowby
