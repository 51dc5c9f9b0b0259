#include "engine/DeliveryPoint.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/AsciiUpper.h"

namespace marrowby {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }

// Whether text, its letters in upper case, begins with prefix.
bool startsWithUpper(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiUpper(text[i]) != prefix[i]) return false;
    }
    return true;
}

// Where text, its letters in upper case, first holds word; npos when nowhere.
size_t findUpper(std::string_view text, std::string_view word) {
    for (size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (startsWithUpper(text.substr(at), word)) return at;
    }
    return std::string_view::npos;
}

bool hasDigit(std::string_view text) {
    for (char c : text) {
        if (isDigit(c)) return true;
    }
    return false;
}

// Where the first blank is, or npos. A loop rather than find: the words of an address are
// a few bytes long, and this runs for every record of a list.
size_t firstBlank(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') return i;
    }
    return std::string_view::npos;
}

std::string_view firstWord(std::string_view text) { return text.substr(0, firstBlank(text)); }

// Leading then trailing blanks go one at a time while more than one character is left.
void trimBlanksKeepingOne(std::string& text) {
    while (text.size() >= 2 && text.front() == ' ') text.erase(0, 1);
    while (text.size() >= 2 && text.back() == ' ') text.pop_back();
}

// Values from 0 to 99.
std::string twoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// Addresses that begin like these carry their number after "BOX ", if anywhere.
constexpr std::array<std::string_view, 21> kBoxPrefixes = {
    "PO ",
    "RR",
    "HC",
    "P O ",
    "R R",
    "H C",
    "P.O. ",
    "R.R.",
    "H.C.",
    "P. O. ",
    "R. R.",
    "H. C.",
    "POST OFFICE ",
    "RURAL ROUTE ",
    "HIGHWAY CONTRACT ROUTE ",
    "RURAL RTE ",
    "HIGHWAY CONTRACT RTE ",
    "CMR ",
    "PSC ",
    "UNIT ",
    "BOX ",
};

// Every box prefix begins with one of these letters, so most addresses, which begin with
// their number, need not be compared with the prefixes at all.
constexpr std::string_view kBoxPrefixLetters = "PRHCUB";
static_assert(std::all_of(kBoxPrefixes.begin(), kBoxPrefixes.end(), [](std::string_view prefix) {
    return kBoxPrefixLetters.find(prefix.front()) != std::string_view::npos;
}));

// Endings of numbered street names such as 5TH AVE, which are not house numbers.
constexpr std::array<std::string_view, 10> kOrdinalEndings3 = {"1ST", "2ND", "3RD", "4TH", "5TH",
                                                               "6TH", "7TH", "8TH", "9TH", "0TH"};
constexpr std::array<std::string_view, 3> kOrdinalEndings4 = {"11TH", "12TH", "13TH"};

bool isBoxPrefixLetter(char c) {
    for (char letter : kBoxPrefixLetters) {
        if (c == letter) return true;
    }
    return false;
}

bool isOrdinal(std::string_view word) {
    for (std::string_view ending : kOrdinalEndings3) {
        if (word.size() >= 3 && startsWithUpper(word.substr(word.size() - 3), ending)) return true;
    }
    for (std::string_view ending : kOrdinalEndings4) {
        if (word.size() >= 4 && startsWithUpper(word.substr(word.size() - 4), ending)) return true;
    }
    return false;
}

// The texts that introduce a unit after a designator, in the order they are tried.
std::array<std::string, 10> unitPatterns(const std::string& designator) {
    const std::string d = " " + designator;
    return {d + " ",     d + ". ",
            d + "# ",    d + " #",
            d + ". #",   d + " NO. ",
            d + " NO ",  d + ". NO. ",
            d + ". NO ", designator == "#" ? std::string(" #") : d + ". NO "};
}

// The unit written after the designator: at most two words, else nothing.
std::string unitText(const std::string& designator, const std::string& address) {
    std::string unit;
    for (const std::string& pattern : unitPatterns(designator)) {
        if (const size_t at = address.find(pattern); at != std::string::npos) {
            unit = address.substr(at + pattern.size());
        }
    }
    trimBlanksKeepingOne(unit);
    if (unit == " ") unit.clear();
    size_t blanks = 0;
    for (char c : unit) blanks += c == ' ';
    if (blanks >= 2) unit.clear();
    return unit;
}

std::string firstUnit(const std::vector<std::string>& designators, const std::string& address) {
    std::string unit;
    for (const std::string& designator : designators) {
        if (!unit.empty()) break;
        unit = unitText(designator, address);
    }
    return unit;
}

// The delivery point of a unit text that holds both digits and letters.
std::string mixedUnit(const std::string& unit) {
    size_t last = unit.size();
    while (last > 0 && !isDigit(unit[last - 1]) && !isLetter(unit[last - 1])) --last;
    const char c = unit[last - 1];
    if (isDigit(c)) {
        char firstLetter = 'A';
        for (char u : unit) {
            if (isLetter(u)) {
                firstLetter = u;
                break;
            }
        }
        const std::string code = std::to_string(LetterCode(firstLetter));
        return std::string(1, code.size() == 1 ? code[0] : code[1]) + c;
    }
    size_t digitAt = last - 1;
    while (!isDigit(unit[digitAt - 1])) --digitAt;
    const std::string n = std::to_string(10 * (unit[digitAt - 1] - '0') + LetterCode(c));
    if (n.size() == 1) return "0" + n;
    if (n.size() == 3) return n.substr(1);
    return n;
}

}  // namespace

int LetterCode(char letter) {
    int n = letter - 'A' + 1;
    if (n == 10) n = 0;
    if (n > 10) n += 10;
    if (n > 30) n += 10;
    return n;
}

std::string ReduceFourDigits(const std::string& fourDigits) {
    const int a = std::stoi(fourDigits.substr(0, 2));
    const int b = std::stoi(fourDigits.substr(2, 2));
    if (a == 0) return fourDigits.substr(2, 2);
    return twoDigits(b % 25 + 25 * (a % 4));
}

std::string OrdinaryDeliveryPoint(std::string_view address) {
    // Runs once for every record of a list, so the address is read where it is, with
    // letters compared in upper case, rather than copied to upper case first.
    std::string_view a = address;
    while (!a.empty() && a.back() == ' ') a.remove_suffix(1);
    if (a.empty()) return "99";

    if (isBoxPrefixLetter(AsciiUpper(a.front()))) {
        for (std::string_view prefix : kBoxPrefixes) {
            if (startsWithUpper(a, prefix)) {
                const size_t box = findUpper(a, "BOX ");
                if (box == std::string_view::npos) return "99";
                a = a.substr(box + 4);
                break;
            }
        }
    }

    std::string_view word = firstWord(a);
    if (!hasDigit(word)) {
        const size_t blank = firstBlank(a);
        if (blank == std::string_view::npos) {
            word = {};
        } else {
            const std::string_view rest = a.substr(blank + 1);
            if (!rest.empty() && isDigit(rest.front())) {
                const std::string_view next = firstWord(rest);
                if (!isOrdinal(next) && next.find('/') == std::string_view::npos) word = next;
            }
        }
    }

    while (!word.empty() && isLetter(AsciiUpper(word.back()))) word.remove_suffix(1);

    size_t digits = 0;
    while (digits < 2 && digits < word.size()) {
        const char c = word[word.size() - 1 - digits];
        if (!isDigit(c)) {
            if (c == '/') return "99";
            break;
        }
        ++digits;
    }
    if (digits == 0) return "99";
    const std::string_view last = word.substr(word.size() - digits);
    return digits == 1 ? std::string{'0', last[0]} : std::string(last);
}

std::string HighriseDeliveryPoint(const std::string& address,
                                  const std::vector<std::string>& designators) {
    std::string a = AsciiUpper(address);
    trimBlanksKeepingOne(a);
    for (size_t at = a.find("  "); at != std::string::npos; at = a.find("  ")) a.erase(at, 1);

    std::string unit = firstUnit(designators, a);
    if (unit.empty()) return "99";
    if (std::string inner = firstUnit(designators, " " + unit); !inner.empty()) unit = inner;

    if (const size_t blank = unit.find(' ');
        blank != std::string::npos && unit.find('/', blank + 1) != std::string::npos) {
        unit = unit.substr(0, blank);
    }
    if (unit.find('/') != std::string::npos) unit = "00";
    std::erase_if(unit, [](char c) { return c == '.' || c == '-' || c == ' '; });

    bool digits = false;
    bool letters = false;
    for (char c : unit) {
        digits = digits || isDigit(c);
        letters = letters || isLetter(c);
    }
    if (!digits && !letters) return "99";
    if (digits && letters) return mixedUnit(unit);
    if (letters) {
        char lastLetter = 'A';
        for (char c : unit) {
            if (isLetter(c)) lastLetter = c;
        }
        return std::to_string(lastLetter - 'A' + 73);
    }
    std::string number;
    for (char c : unit) {
        if (isDigit(c)) number += c;
    }
    switch (number.size()) {
        case 1:
            return "0" + number;
        case 2:
            return number;
        case 3:
            return ReduceFourDigits("0" + number);
        default:
            return ReduceFourDigits(number.substr(number.size() - 4));
    }
}

}  // namespace marrowby
