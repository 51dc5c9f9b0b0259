// Intelligent Mail barcodes: a 20-digit tracking code and a routing code turned into the
// 65 four-state bars, written as letters for the barcode fonts.
#pragma once

#include <string>

// The 65 bars from left to right: 'A' ascender, 'D' descender, 'F' full bar, 'T' tracker.
// The tracking code is 20 digits whose second digit is 0 to 4; the routing code is empty
// or 5, 9 or 11 digits. Anything else throws MarrowbyError naming the rule it breaks.
std::string IntelligentMailBars(const std::string& tracking, const std::string& routing);

// The 11-bit frame check sequence over the 102-bit value of a barcode, exposed so that
// its check values can be tested on their own. High and low hold bits 101..64 and 63..0.
unsigned IntelligentMailCheck(unsigned long long high, unsigned long long low);
