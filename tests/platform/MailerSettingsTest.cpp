// mailer.dat: defaults for a missing or short file without writing it, the values read
// (tests/data/platform/mailer-settings.tsv), and lines 6 to 9 (the tag sheet's labels, the next
// tray serial and the two one-digit codes) written back with every other line kept.
#include "platform/MailerSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TempFolder.h"
#include "TestData.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

TEST(MailerSettings, ReadWithoutWritingAndSavedBackUnchanged) {
    const auto values = [](const MailerSettings& s) {
        return std::vector<std::string>{s.intelligentMail() ? "1" : "0",
                                        s.identity.mailerId,
                                        s.identity.serviceType,
                                        s.identity.barcodeId,
                                        s.nextSerial,
                                        s.intelligentMailTrayLabels() ? "1" : "0",
                                        s.nextTraySerial,
                                        s.processingCode,
                                        s.labelType};
    };
    for (const auto& row : CaseRows("platform/mailer-settings.tsv", 13)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        const std::vector<std::string> expected(row.begin() + 4, row.begin() + 13);
        TempFolder folder;
        if (row[2] != "(none)") folder.write("mailer.dat", row[2]);
        const MailerSettings settings = LoadMailerSettings(folder.path());
        EXPECT_EQ(std::to_string(settings.lines.size()), row[3]);
        EXPECT_EQ(values(settings), expected);
        if (row[2] == "(none)") {
            EXPECT_FALSE(std::filesystem::exists(folder.path() / "mailer.dat"));
            continue;
        }
        // Reading wrote nothing; saved unchanged, every value and every line read comes
        // back, line ends aside, but for the barcode choice, which is written as 0 or 1.
        EXPECT_EQ(folder.read("mailer.dat"), row[2]);
        SaveMailerSettings(folder.path(), settings);
        const MailerSettings saved = LoadMailerSettings(folder.path());
        EXPECT_EQ(values(saved), expected);
        ASSERT_GE(saved.lines.size(), settings.lines.size());
        EXPECT_TRUE(
            std::equal(settings.lines.begin() + 2, settings.lines.end(), saved.lines.begin() + 2));
    }
}

TEST(MailerSettings, ChangedTrayValuesLandOnTheirLinesAndTheTraySerialHasAtMostEightDigits) {
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
    // The next tray serial has at most eight digits.
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
