// Tracking codes from the mailer's identity and serial, and the serials a run may use.
#include "engine/IntelligentMailTracking.h"

#include <gtest/gtest.h>

#include "engine/MarrowbyError.h"

TEST(IntelligentMailTracking, SerialFillsTheDigitsTheMailerIdLeaves) {
    const struct {
        MailerIdentity identity;
        unsigned long long serial;
        const char* tracking;  // empty: refused
    } cases[] = {
        {{"01", "234", "567094"}, 987654321, "01234567094987654321"},
        {{"00", "300", "123456"}, 7, "00300123456000000007"},
        {{"00", "300", "123456"}, 999999999, "00300123456999999999"},
        {{"00", "300", "123456"}, 1000000000, ""},
        {{"14", "040", "912345678"}, 42, "14040912345678000042"},
        {{"14", "040", "912345678"}, 999999, "14040912345678999999"},
        {{"14", "040", "912345678"}, 1000000, ""},
        {{"05", "300", "123456"}, 1, ""},     // second identifier digit above 4
        {{"00", "30", "123456"}, 1, ""},      // service type of two digits
        {{"00", "300", "912345"}, 1, ""},     // six digits starting with 9
        {{"00", "300", "812345678"}, 1, ""},  // nine digits not starting with 9
        {{"00", "300", "12345a"}, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.identity.mailerId + " serial " + std::to_string(c.serial));
        if (*c.tracking) {
            EXPECT_EQ(TrackingCode(c.identity, c.serial), c.tracking);
        } else {
            EXPECT_THROW(TrackingCode(c.identity, c.serial), MarrowbyError);
        }
    }
}

TEST(IntelligentMailTracking, IssuerRefusesARunThatWouldPassTheLargestSerial) {
    const struct {
        const char* mailerId;
        unsigned long long next;
        unsigned long long count;
        bool room;
    } cases[] = {
        {"123456", 999999990, 10, true}, {"123456", 999999990, 11, false},
        {"123456", 0, 1000000000, true}, {"123456", 0, 1000000001, false},
        {"912345678", 999999, 1, true},  {"912345678", 999999, 2, false},
        {"912345678", 5, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mailerId) + " next " + std::to_string(c.next) + " count " +
                     std::to_string(c.count));
        const SerialIssuer issuer({"00", "300", c.mailerId}, c.next);
        if (c.room) {
            EXPECT_NO_THROW(issuer.requireRoomFor(c.count));
        } else {
            EXPECT_THROW(issuer.requireRoomFor(c.count), MarrowbyError);
        }
    }
    EXPECT_THROW(SerialIssuer({"00", "300", "912345678"}, 1000000), MarrowbyError);
}
