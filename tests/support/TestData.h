// Where the tests find the files of tests/data in the source tree.
#pragma once

#include <filesystem>

// The repository's tests/data folder.
inline std::filesystem::path TestDataFolder() {
    return std::filesystem::path(MARROWBY_SOURCE_DIR) / "tests" / "data";
}
