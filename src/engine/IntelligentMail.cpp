// Intelligent Mail encoder: binary value, frame check sequence, codewords, 13-bit
// characters and the bar map, in the order USPS-B-3200 lays them out.
#include "engine/IntelligentMail.h"

#include <array>
#include <bit>
#include <cstdint>

#include "engine/MarrowbyError.h"

namespace {

using Value = unsigned __int128;  // the value needs 102 bits

constexpr int kValueBits = 102;
constexpr unsigned kCheckPolynomial = 0xF35;
constexpr int kFivesCount = 1287;  // 13-bit characters with five bars set: C(13,5)
constexpr int kTwosCount = 78;     // with two bars set: C(13,2)

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void requireDigits(const std::string& text, const char* what) {
    for (char c : text) {
        if (!isDigit(c)) {
            throw MarrowbyError(std::string("The ") + what + " may hold only digits; '" + c +
                                "' is not a digit.");
        }
    }
}

void validate(const std::string& tracking, const std::string& routing) {
    if (tracking.size() != 20) {
        throw MarrowbyError("The tracking code must have 20 digits, not " +
                            std::to_string(tracking.size()) + ".");
    }
    requireDigits(tracking, "tracking code");
    if (tracking[1] > '4') {
        throw MarrowbyError(std::string("The second digit of the tracking code (the barcode "
                                        "identifier) must be 0 to 4, not ") +
                            tracking[1] + ".");
    }
    const auto length = routing.size();
    if (length != 0 && length != 5 && length != 9 && length != 11) {
        throw MarrowbyError("The routing code must have 0, 5, 9 or 11 digits, not " +
                            std::to_string(length) + ".");
    }
    requireDigits(routing, "routing code");
}

// The routing code as a number, offset so that the four lengths never share a value.
Value routingValue(const std::string& routing) {
    Value value = 0;
    for (char c : routing) {
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    switch (routing.size()) {
        case 5:
            return value + 1;
        case 9:
            return value + 100001;
        case 11:
            return value + 1000100001;
        default:
            return 0;
    }
}

Value binaryValue(const std::string& tracking, const std::string& routing) {
    Value value = routingValue(routing);
    value = value * 10 + static_cast<unsigned>(tracking[0] - '0');
    value = value * 5 + static_cast<unsigned>(tracking[1] - '0');  // second digit is 0..4
    for (std::size_t i = 2; i < tracking.size(); ++i) {
        value = value * 10 + static_cast<unsigned>(tracking[i] - '0');
    }
    return value;
}

// Bits fed most significant first into a register preset to all ones; no reflection
// and no final inversion.
unsigned checkSequence(Value value) {
    unsigned check = 0x7FF;
    for (int bit = kValueBits - 1; bit >= 0; --bit) {
        const unsigned in = static_cast<unsigned>(value >> bit) & 1U;
        const unsigned top = (check >> 10) & 1U;
        check = (check << 1) & 0x7FF;
        if (top != in) {
            check ^= kCheckPolynomial & 0x7FF;
        }
    }
    return check;
}

unsigned reverse13(unsigned value) {
    unsigned reversed = 0;
    for (int i = 0; i < 13; ++i) {
        reversed = (reversed << 1) | ((value >> i) & 1U);
    }
    return reversed;
}

// Every 13-bit value with the given number of bars set, ordered so that a character and
// its mirror image stand side by side from the front and symmetric ones fill from the back.
template <int Size>
std::array<std::uint16_t, Size> characterTable(int barsSet) {
    std::array<std::uint16_t, Size> table{};
    int front = 0;
    int back = Size - 1;
    for (unsigned value = 0; value < 8192; ++value) {
        if (std::popcount(value) != barsSet) {
            continue;
        }
        const unsigned mirror = reverse13(value);
        if (mirror < value) {
            continue;  // already placed as the partner of its mirror
        }
        if (mirror == value) {
            table[back--] = static_cast<std::uint16_t>(value);
        } else {
            table[front++] = static_cast<std::uint16_t>(value);
            table[front++] = static_cast<std::uint16_t>(mirror);
        }
    }
    return table;
}

const std::array<std::uint16_t, kFivesCount>& fivesTable() {
    static const auto table = characterTable<kFivesCount>(5);
    return table;
}

const std::array<std::uint16_t, kTwosCount>& twosTable() {
    static const auto table = characterTable<kTwosCount>(2);
    return table;
}

// Where each bar takes its two halves: descender from bit descBit of character descChar,
// ascender from bit ascBit of character ascChar (characters 0..9 are A..J, bit 0 is the
// least significant). This is the bar-to-character table of USPS-B-3200, bars 1 to 65.
struct BarSource {
    std::uint8_t descChar, descBit, ascChar, ascBit;
};
constexpr BarSource kBarMap[65] = {
    {7, 2, 4, 3},  {1, 10, 0, 0},  {9, 12, 2, 8}, {5, 5, 6, 11}, {8, 9, 3, 1},  {0, 1, 5, 12},
    {2, 5, 1, 8},  {4, 4, 9, 11},  {6, 3, 8, 10}, {3, 9, 7, 6},  {5, 11, 1, 4}, {8, 5, 2, 12},
    {9, 10, 0, 2}, {7, 1, 6, 7},   {3, 6, 4, 9},  {0, 3, 8, 6},  {6, 4, 2, 7},  {1, 1, 9, 9},
    {7, 10, 5, 2}, {4, 0, 3, 8},   {6, 2, 0, 4},  {8, 11, 1, 0}, {9, 8, 3, 12}, {2, 6, 7, 7},
    {5, 1, 4, 10}, {1, 12, 6, 9},  {7, 3, 8, 0},  {5, 8, 9, 7},  {4, 6, 2, 10}, {3, 4, 0, 5},
    {8, 4, 5, 7},  {7, 11, 1, 9},  {6, 0, 9, 6},  {0, 6, 4, 8},  {2, 1, 3, 2},  {5, 9, 8, 12},
    {4, 11, 6, 1}, {9, 5, 7, 4},   {3, 3, 1, 2},  {0, 7, 2, 0},  {1, 3, 4, 1},  {6, 10, 3, 5},
    {8, 7, 9, 4},  {2, 11, 5, 6},  {0, 8, 7, 12}, {4, 2, 8, 1},  {5, 10, 3, 0}, {9, 3, 0, 9},
    {6, 5, 2, 4},  {7, 8, 1, 7},   {5, 0, 4, 5},  {2, 3, 0, 10}, {6, 12, 9, 2}, {3, 11, 1, 6},
    {8, 8, 7, 9},  {5, 4, 0, 11},  {1, 5, 2, 2},  {9, 1, 4, 12}, {8, 3, 6, 6},  {7, 0, 3, 7},
    {4, 7, 7, 5},  {0, 12, 1, 11}, {2, 9, 9, 0},  {6, 8, 5, 3},  {3, 10, 8, 2},
};

}  // namespace

unsigned IntelligentMailCheck(unsigned long long high, unsigned long long low) {
    return checkSequence((static_cast<Value>(high) << 64) | low);
}

std::string IntelligentMailBars(const std::string& tracking, const std::string& routing) {
    validate(tracking, routing);
    Value value = binaryValue(tracking, routing);
    const unsigned check = checkSequence(value);

    // Ten codewords, A most significant: J in base 636, B..I in base 1365, A the rest.
    std::array<unsigned, 10> codewords{};
    codewords[9] = static_cast<unsigned>(value % 636);
    value /= 636;
    for (int i = 8; i >= 1; --i) {
        codewords[i] = static_cast<unsigned>(value % 1365);
        value /= 1365;
    }
    codewords[0] = static_cast<unsigned>(value);
    codewords[9] *= 2;  // an even J lets a reader tell the barcode's orientation
    if (check & 0x400) {
        codewords[0] += 659;  // carries the eleventh check bit
    }

    std::array<unsigned, 10> characters{};
    for (int i = 0; i < 10; ++i) {
        const unsigned codeword = codewords[i];
        characters[i] =
            codeword < kFivesCount ? fivesTable()[codeword] : twosTable()[codeword - kFivesCount];
        if ((check >> i) & 1U) {
            characters[i] = ~characters[i] & 0x1FFF;
        }
    }

    std::string bars(65, 'T');
    for (int n = 0; n < 65; ++n) {
        const BarSource& source = kBarMap[n];
        const bool descender = (characters[source.descChar] >> source.descBit) & 1U;
        const bool ascender = (characters[source.ascChar] >> source.ascBit) & 1U;
        bars[n] = descender ? (ascender ? 'F' : 'D') : (ascender ? 'A' : 'T');
    }
    return bars;
}
