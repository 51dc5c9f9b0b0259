// A first reading of a database's catalog in a separate process, because libmdb loops for
// ever (or crashes) on some damaged catalogs and would take the program with it.
#pragma once

#include <chrono>
#include <string>

namespace marrowby {

// True when libmdb opens the file and reads its catalog within the time limit.
bool MdbCatalogReadsInTime(const std::string& path, std::chrono::milliseconds limit);

}  // namespace marrowby
