// How the C library places the megabyte blocks a run reads and writes through.
#pragma once

#include <malloc.h>

namespace marrowby {

// Has every large block (256 KiB and more) mapped on its own, instead of carved from the
// heap as the C library starts doing once the first such block is freed. With the
// library's own choice, about half of all processes added barcodes to a list up to 1.7
// times as slowly, depending on where the heap happened to lie; the exact cause was not
// found, and setting this only when a run began was not enough. It is therefore made
// first thing in main.
inline void KeepLargeBlocksMapped() { ::mallopt(M_MMAP_THRESHOLD, 256 * 1024); }

}  // namespace marrowby
