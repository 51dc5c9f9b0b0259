// Code 128 symbols of exactly 24 digits, all in code set C: the barcode of the 24-digit
// tray and sack labels, as bar and space widths in modules.
#pragma once

#include <string_view>
#include <vector>

namespace marrowby {

// Start C, one codeword per digit pair, the modulo-103 check, the stop: 15 codewords.
// Throws MarrowbyError, naming the input, unless it is exactly 24 digits; fewer or more
// would not stay in code set C from start to stop.
std::vector<int> Code128Codewords(std::string_view digits);

// The widths, 1 to 4 modules, starting with a bar and alternating bar and space; the
// stop ends with its termination bar. 167 modules in all, without the quiet zones.
// Throws as Code128Codewords does.
std::vector<int> Code128Widths(std::string_view digits);

}  // namespace marrowby
