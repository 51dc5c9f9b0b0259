// The delivery-point digits of ordinary and highrise addresses: one worked example for each
// rule; tests/data/engine/postnet-golden.tsv holds thousands more.
#include "engine/DeliveryPoint.h"

#include <gtest/gtest.h>

#include "engine/BarcodeEngine.h"

namespace marrowby {

namespace {

struct Case {
    const char* address;
    const char* expected;
};

}  // namespace

TEST(OrdinaryDeliveryPoint, LastTwoDigitsOfTheNumber) {
    const Case cases[] = {
        {"123A MAIN", "23"},   // 1 trailing letters removed
        {"12B3 OAK", "03"},    // 2 collection stops at B
        {"p.o. box 7", "07"},  // 3 a box prefix in any case; one digit is written 0n
        {"RR 2", "99"},        // 4 a route without a box
        {"N 123 MAIN", "23"},  // 5 first word has no digit: the second is taken
        {"W 5TH ST", "99"},    // 6 numbered street names are no house numbers
        {"E 11TH ST", "99"},   // 7 ... 11TH to 13TH as well
        {"12-1/2 ELM", "99"},  // 8 number ending in a fraction
        {"N 1/2 MAIN", "99"},  // 9 a fraction as second word is not taken
        {" PO BOX 5", "99"},   // 10 a leading blank hides the box prefix
        {"   ", "99"},         // 11 nothing but blanks
        {"123   ", "23"},      // 12 trailing blanks
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OrdinaryDeliveryPoint(c.address), c.expected) << '"' << c.address << '"';
    }
}

TEST(HighriseDeliveryPoint, DigitsOfTheUnit) {
    const std::vector<std::string> designators = DesignatorTable();
    const Case cases[] = {
        {"123 MAIN ST APT 123", "48"},      // 1 0123 reduced: 23 + 25 x 1
        {"123 MAIN ST STE 98765", "90"},    // 2 last four digits 8765: 65 mod 25 + 25 x (87 mod 4)
        {"123 MAIN ST STE 0034", "34"},     // 3 a leading 00 keeps the last two digits
        {"123 MAIN ST APT B", "74"},        // 4 a letter alone: its place plus 72
        {"123 MAIN ST APT 2B", "22"},       // 5 digit then letter: 20 + code of B
        {"123 MAIN ST APT K2", "12"},       // 6 letter then digit: second digit of 21, then 2
        {"123 MAIN ST APT 9Z", "36"},       // 7 90 + 46 = 136 keeps the last two digits
        {"123 MAIN ST APT 0A", "01"},       // 8 0 + 1 written with a leading zero
        {"123 MAIN ST RM A1B", "12"},       // 9 the first letter's code before the digit
        {"123 MAIN ST APT 5-C", "53"},      // 10 dashes are dropped
        {"123 MAIN ST FL 2 #5", "05"},      // 11 a unit inside the first unit
        {"123 MAIN ST APT 5 1/2", "05"},    // 12 a fraction after the unit is dropped
        {"123 MAIN ST APT 1/2", "00"},      // 13 a unit that is a fraction
        {"  123  MAIN ST APT   5 ", "05"},  // 14 repeated blanks
        {"123 main st apt. no. 8", "08"},   // 15 lower case, a full stop and NO.
        {"123 MAIN ST APT #7", "07"},       // 16
        {"123 MAIN ST APT", "99"},          // 17 a designator without a unit
        {"123 MAIN ST APT ---", "99"},      // 18 a unit without digits or letters
        // 19 three words after APT are no unit; the later designator STE is tried.
        {"123 MAIN ST APT 4 NORTH WING STE 6", "06"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HighriseDeliveryPoint(c.address, designators), c.expected)
            << '"' << c.address << '"';
    }
    EXPECT_EQ(HighriseDeliveryPoint("123 MAIN ST APT 5", {}), "99");  // no designators
}

TEST(HighriseDeliveryPoint, LetterCodes) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int codes[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0,  21, 22, 23,
                         24, 25, 26, 27, 28, 29, 30, 41, 42, 43, 44, 45, 46};
    for (size_t i = 0; i < letters.size(); ++i) EXPECT_EQ(LetterCode(letters[i]), codes[i]);
}

}  // namespace marrowby
