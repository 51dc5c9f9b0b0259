// The delivery-point digits of ordinary and highrise addresses.
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
        {"123 Main St", "23"},
        {"5 ELM", "05"},
        {"123A MAIN", "23"},  // trailing letters removed
        {"12B3 OAK", "03"},   // collection stops at B
        {"PO BOX 1234", "34"},
        {"P.O. BOX 7", "07"},
        {"po box 7", "07"},
        {"RR 2 BOX 15", "15"},
        {"PSC 1234 BOX 5678", "78"},
        {"UNIT 2050 BOX 4190", "90"},
        {"RR 2", "99"},  // a route without a box
        {"HIGHWAY CONTRACT ROUTE 3", "99"},
        {"N 123 MAIN", "23"},  // first word has no digit: the second is taken
        {"W 5TH ST", "99"},    // numbered street name
        {"E 11TH ST", "99"},
        {"E 11 ST", "11"},
        {"ONE MAIN ST", "99"},
        {"1/2 MAIN", "99"},  // number ending in a fraction
        {"12-1/2 ELM", "99"},
        {"N 1/2 MAIN", "99"},  // a fraction as second word is not taken
        {"   ", "99"},
        {"", "99"},
        {" PO BOX 5", "99"},  // a leading blank hides the box prefix
        {" 123 MAIN", "23"},
        {"MAIN", "99"},
        {"123   ", "23"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OrdinaryDeliveryPoint(c.address), c.expected) << '"' << c.address << '"';
    }
}

TEST(HighriseDeliveryPoint, DigitsOfTheUnit) {
    const std::vector<std::string> designators = DesignatorTable();
    const Case cases[] = {
        {"123 MAIN ST APT 5", "05"},
        {"123 MAIN ST APT 12", "12"},
        {"123 MAIN ST APT 123", "48"},  // 0123 reduced: 23 + 25 x 1
        {"123 MAIN ST STE 1234", "09"},
        {"123 MAIN ST STE 0034", "34"},
        {"123 MAIN ST STE 98765", "90"},  // last four digits 8765: 65 mod 25 + 25 x (87 mod 4)
        {"123 MAIN ST APT B", "74"},
        {"123 MAIN ST APT Z", "98"},
        {"123 MAIN ST APT 2B", "22"},
        {"123 MAIN ST APT B2", "22"},
        {"123 MAIN ST APT K2", "12"},  // second digit of 21
        {"123 MAIN ST APT 9Z", "36"},  // 90 + 46 = 136
        {"123 MAIN ST APT 5-C", "53"},
        {"123 MAIN ST RM A1B", "12"},
        {"123 MAIN ST APT 0A", "01"},  // 0 + 1 written with a leading zero
        {"123 MAIN ST #5", "05"},
        {"123 MAIN ST APT # 7", "07"},
        {"123 MAIN ST APT #7", "07"},
        {"123 MAIN ST FL 2 #5", "05"},  // a unit inside the first unit
        {"123 MAIN ST APT 5 1/2", "05"},
        {"123 MAIN ST APT 1/2", "00"},
        {"123  MAIN   ST  APT   5", "05"},
        {"  123 MAIN ST APT 5  ", "05"},
        {"123 main st apt. no. 8", "08"},
        {"123 MAIN ST", "99"},
        {"123 MAIN ST APT", "99"},
        {"123 MAIN ST APT ---", "99"},
        // Three words after APT are no unit; the later designator STE is tried.
        {"123 MAIN ST APT 4 NORTH WING STE 6", "06"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HighriseDeliveryPoint(c.address, designators), c.expected)
            << '"' << c.address << '"';
    }
}

TEST(HighriseDeliveryPoint, WithoutDesignatorsEveryAddressGives99) {
    EXPECT_EQ(HighriseDeliveryPoint("123 MAIN ST APT 5", {}), "99");
}

TEST(HighriseDeliveryPoint, LetterCodesAndFourDigitReduction) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int codes[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0,  21, 22, 23,
                         24, 25, 26, 27, 28, 29, 30, 41, 42, 43, 44, 45, 46};
    for (size_t i = 0; i < letters.size(); ++i) EXPECT_EQ(LetterCode(letters[i]), codes[i]);

    EXPECT_EQ(ReduceFourDigits("0007"), "07");
    EXPECT_EQ(ReduceFourDigits("9999"), "99");  // 24 + 25 x 3
    EXPECT_EQ(ReduceFourDigits("0400"), "00");
}

}  // namespace marrowby
