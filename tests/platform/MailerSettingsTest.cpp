// mailer.dat: defaults for a missing or short file without writing it, the values read,
// and lines 6 to 9 (the tag sheet's labels, the next tray serial and the two one-digit
// codes) written back with every other line kept.
#include "platform/MailerSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

TEST(MailerSettings, ReadWithoutWritingAndSavedBackUnchanged) {
    const struct {
        std::string file;  // empty: no file
        bool intelligentMail;
        std::string mailerId, serviceType, barcodeId, nextSerial;
        size_t lines;
        bool trayLabels;
        std::string nextTraySerial, processingCode, labelType;
    } cases[] = {
        {"", false, "", "", "00", "1", 6, false, "1", "", ""},
        {"t\r\n1\r\n123456\r\n", true, "123456", "", "00", "1", 6, false, "1", "", ""},
        // Any label kind other than "1" reads as the older labels.
        {"t\n2\n912345678\n040\n10\n77\nL\n5\n", false, "912345678", "040", "10", "77", 8, false,
         "5", "", ""},
        {"t\r\n0\r\n\r\n\r\n00\r\n1\r\n1\r\n42\r\n1\r\n8\r\nmine\r\n", false, "", "", "00", "1", 11,
         true, "42", "1", "8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder folder;
        if (!c.file.empty()) folder.write("mailer.dat", c.file);
        const MailerSettings settings = LoadMailerSettings(folder.path());
        EXPECT_EQ(settings.lines.size(), c.lines);
        std::vector<MailerSettings> read{settings};
        if (c.file.empty()) {
            EXPECT_FALSE(std::filesystem::exists(folder.path() / "mailer.dat"));
        } else {
            // Reading wrote nothing; saved unchanged, every value and every line read comes
            // back, line ends aside.
            EXPECT_EQ(folder.read("mailer.dat"), c.file);
            SaveMailerSettings(folder.path(), settings);
            read.push_back(LoadMailerSettings(folder.path()));
        }
        for (const MailerSettings& s : read) {
            EXPECT_EQ(s.intelligentMail(), c.intelligentMail);
            EXPECT_EQ(s.identity.mailerId, c.mailerId);
            EXPECT_EQ(s.identity.serviceType, c.serviceType);
            EXPECT_EQ(s.identity.barcodeId, c.barcodeId);
            EXPECT_EQ(s.nextSerial, c.nextSerial);
            EXPECT_EQ(s.intelligentMailTrayLabels(), c.trayLabels);
            EXPECT_EQ(s.nextTraySerial, c.nextTraySerial);
            EXPECT_EQ(s.processingCode, c.processingCode);
            EXPECT_EQ(s.labelType, c.labelType);
            // Every line but the barcode choice, which is written as 0 or 1.
            ASSERT_GE(s.lines.size(), settings.lines.size());
            EXPECT_TRUE(
                std::equal(settings.lines.begin() + 2, settings.lines.end(), s.lines.begin() + 2));
        }
    }
}

TEST(MailerSettings, ChangedTrayValuesLandOnTheirLines) {
    TempFolder folder;
    folder.write("mailer.dat",
                 "t\r\n1\r\n912345678\r\n040\r\n00\r\n5\r\n0\r\n9\r\n\r\n\r\nA\r\nB\r\n");
    MailerSettings settings = LoadMailerSettings(folder.path());
    settings.trayLabels = TrayLabelChoice::IntelligentMail;
    settings.nextTraySerial = "12345";
    settings.processingCode = "2";
    settings.labelType = "8";
    SaveMailerSettings(folder.path(), settings);
    EXPECT_EQ(folder.read("mailer.dat"),
              "t\r\n1\r\n912345678\r\n040\r\n00\r\n5\r\n1\r\n12345\r\n2\r\n8\r\nA\r\nB\r\n");
    settings.trayLabels = TrayLabelChoice::InterleavedTwoOfFive;
    SaveMailerSettings(folder.path(), settings);
    EXPECT_FALSE(LoadMailerSettings(folder.path()).intelligentMailTrayLabels());
}

TEST(MailerSettings, TraySerialOfAtMostEightDigits) {
    MailerSettings settings;
    for (const char* good : {"0", "99999999", "00000042"}) {
        settings.nextTraySerial = good;
        EXPECT_EQ(settings.traySerial(), std::stoull(good));
    }
    for (const char* bad : {"", "123456789", "12a", "-1"}) {
        settings.nextTraySerial = bad;
        EXPECT_THROW(settings.traySerial(), MarrowbyError) << bad;
    }
}

}  // namespace marrowby
