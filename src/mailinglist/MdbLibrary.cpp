// Opening a database through libmdb without letting it guess at files it cannot read.
#include "mailinglist/MdbLibrary.h"

#include <string>

MdbHandlePtr OpenMdbDatabase(const std::string& path) {
    MdbHandlePtr mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb || mdb->fmt == nullptr || mdb->f == nullptr) return nullptr;
    if (mdb_read_catalog(mdb.get(), MDB_ANY) == nullptr) return nullptr;
    return mdb;
}
