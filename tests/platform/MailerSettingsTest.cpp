// mailer.dat: defaults for a missing or short file without writing it, and the values read.
#include "platform/MailerSettings.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

TEST(MailerSettings, ReadingCompletesInMemoryAndWritesNothing) {
    const struct {
        std::string file;  // empty: no file
        bool intelligentMail;
        std::string mailerId, serviceType, barcodeId, nextSerial;
        size_t lines;
    } cases[] = {
        {"", false, "", "", "00", "1", 6},
        {"t\r\n1\r\n123456\r\n", true, "123456", "", "00", "1", 6},
        {"t\n2\n912345678\n040\n10\n77\nL\n5\n", false, "912345678", "040", "10", "77", 8},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        if (!c.file.empty()) folder.write("mailer.dat", c.file);
        const MailerSettings settings = LoadMailerSettings(folder.path());
        EXPECT_EQ(settings.intelligentMail(), c.intelligentMail);
        EXPECT_EQ(settings.identity.mailerId, c.mailerId);
        EXPECT_EQ(settings.identity.serviceType, c.serviceType);
        EXPECT_EQ(settings.identity.barcodeId, c.barcodeId);
        EXPECT_EQ(settings.nextSerial, c.nextSerial);
        EXPECT_EQ(settings.lines.size(), c.lines);
        if (c.file.empty()) {
            EXPECT_FALSE(std::filesystem::exists(folder.path() / "mailer.dat"));
        } else {
            EXPECT_EQ(folder.read("mailer.dat"), c.file);
        }
    }
}
