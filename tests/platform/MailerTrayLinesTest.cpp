// Lines 6 to 9 of mailer.dat: the tag sheet's labels, the next tray serial and the two
// one-digit codes, read and written back with every other line kept.
#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "engine/MarrowbyError.h"
#include "platform/MailerSettings.h"

namespace marrowby {

TEST(MailerTrayLines, ReadAndWrittenBackWithOtherLinesKept) {
    const struct {
        const char* file;  // empty: no file
        bool trayLabels;
        const char *nextTraySerial, *processingCode, *labelType;
    } cases[] = {
        {"", false, "1", "", ""},
        {"t\r\n0\r\n123456\r\n\r\n00\r\n1\r\n", false, "1", "", ""},
        {"t\r\n0\r\n\r\n\r\n00\r\n1\r\n1\r\n42\r\n1\r\n8\r\nmine\r\n", true, "42", "1", "8"},
        // Any kind other than "1" reads as the older labels; short files are completed.
        {"t\n0\n\n\n00\n1\nL\n7\n", false, "7", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempFolder folder;
        if (*c.file) folder.write("mailer.dat", c.file);
        const MailerSettings settings = LoadMailerSettings(folder.path());
        EXPECT_EQ(settings.intelligentMailTrayLabels(), c.trayLabels);
        EXPECT_EQ(settings.nextTraySerial, c.nextTraySerial);
        EXPECT_EQ(settings.processingCode, c.processingCode);
        EXPECT_EQ(settings.labelType, c.labelType);
        if (!*c.file) {
            EXPECT_FALSE(std::filesystem::exists(folder.path() / "mailer.dat"));
            continue;
        }
        // Saved unchanged, every value and every line read comes back, line ends aside.
        SaveMailerSettings(folder.path(), settings);
        const MailerSettings again = LoadMailerSettings(folder.path());
        EXPECT_EQ(again.intelligentMailTrayLabels(), c.trayLabels);
        EXPECT_EQ(again.nextTraySerial, c.nextTraySerial);
        EXPECT_EQ(again.processingCode, c.processingCode);
        EXPECT_EQ(again.labelType, c.labelType);
        ASSERT_GE(again.lines.size(), settings.lines.size());
        EXPECT_TRUE(std::equal(settings.lines.begin(), settings.lines.end(), again.lines.begin()));
    }
}

TEST(MailerTrayLines, ChangedValuesLandOnTheirLines) {
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

TEST(MailerTrayLines, TraySerialOfAtMostEightDigits) {
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
