// "Install Barcode Fonts" in a temporary home folder: where the fonts go, what the user is
// told, that a second run from the menu rewrites nothing, and that fontconfig then lists
// the fonts.
#include "app/BarcodeFontInstaller.h"

#include <QAction>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "ShellCommand.h"
#include "TempFolder.h"
#include "TestData.h"
#include "app/Application.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

// Sets environment variables ("(unset)" unsets one) for one test and puts the old values
// back afterwards.
class Environment {
  public:
    ~Environment() {
        for (const auto& [name, value] : saved_) Put(name, value);
    }
    void set(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.try_emplace(name, old ? old : "(unset)");
        Put(name, value);
    }

  private:
    static void Put(const std::string& name, const std::string& value) {
        value == "(unset)" ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    }
    std::map<std::string, std::string> saved_;
};

// A fresh user: home, data and cache folders all inside one temporary folder.
struct FreshUser {
    TempFolder folder;
    Environment environment;
    FakePrompter prompter;
    fs::path fonts = folder.path() / "data" / "fonts";
    FreshUser() {
        environment.set("HOME", (folder.path() / "home").string());
        environment.set("XDG_DATA_HOME", (folder.path() / "data").string());
        environment.set("XDG_CACHE_HOME", (folder.path() / "cache").string());
    }
};

const fs::path kSourceFonts = fs::path(MARROWBY_SOURCE_DIR) / "fonts";

}  // namespace

TEST(BarcodeFontInstaller, UserFontFolderFollowsXdgDataHomeOnlyWhenAbsolute) {
    for (const auto& row : CaseRows("app/font-folders.tsv", 5)) {
        Environment environment;
        environment.set("XDG_DATA_HOME", row[2]);
        environment.set("HOME", row[3]);
        EXPECT_EQ(BarcodeFontInstaller::UserFontFolder(), fs::path(row[4])) << "row " << row[0];
    }
}

TEST(BarcodeFontInstaller, FromTheMenuInstallsOnceSaysWhereAndFontconfigListsThem) {
    FreshUser user;
    // The program run from its build folder finds the fonts of its source tree.
    Application application(user.folder.path() / "program", {}, user.prompter,
                            Attendance::Attended);
    QAction* command = application.mainWindow().InstallBarcodeFonts1;
    command->trigger();
    const auto written = fs::last_write_time(user.fonts / "MarrowbyPOSTNET.ttf");
    command->trigger();

    ASSERT_EQ(user.prompter.messages.size(), 2u);
    for (const RecordedMessage& message : user.prompter.messages) {
        EXPECT_EQ(message.icon, MessageIcon::Information);
        EXPECT_NE(message.text.find(" in the folder " + user.fonts.string() + "."),
                  std::string::npos);
    }
    EXPECT_EQ(user.prompter.messages[0].text.rfind("The barcode fonts are now installed", 0), 0u);
    EXPECT_EQ(user.prompter.messages[1].text.rfind("The barcode fonts were already installed", 0),
              0u);
    EXPECT_EQ(fs::last_write_time(user.fonts / "MarrowbyPOSTNET.ttf"), written);
    for (const BarcodeFont& font : BarcodeFonts()) {
        EXPECT_TRUE(ReadBytes(user.fonts / font.file) == ReadBytes(kSourceFonts / font.file))
            << font.file;
    }
    // Nothing but the two fonts lands in the folder (no scratch files are left).
    EXPECT_EQ(std::distance(fs::directory_iterator(user.fonts), fs::directory_iterator()), 2);

    const std::string listed = RunShellCommand("fc-list : family file").output;
    for (const BarcodeFont& font : BarcodeFonts()) {
        EXPECT_NE(listed.find((user.fonts / font.file).string() + ": " + font.family),
                  std::string::npos)
            << listed;
    }
}

// A damaged copy is replaced; what goes wrong is told, or thrown naming what is in the way,
// and no scratch file is left behind.
TEST(BarcodeFontInstaller, RepairsADamagedCopyAndReportsWhatGoesWrong) {
    for (const auto& row : CaseRows("app/font-installer.tsv", 7)) {
        SCOPED_TRACE("row " + row[0] + " (" + row[1] + ")");
        const std::string& setup = row[2];
        std::vector<fs::path> sources;
        std::istringstream folders(row[3]);
        for (std::string folder; folders >> folder;)
            sources.push_back(folder == "fonts" ? kSourceFonts : fs::path(folder));
        const std::map<std::string, MessageIcon> icons = {{"Information", MessageIcon::Information},
                                                          {"Warning", MessageIcon::Warning},
                                                          {"Error", MessageIcon::Error}};
        const std::string& says = row[6];
        FreshUser user;
        const fs::path font = user.fonts / "MarrowbyPOSTNET.ttf";
        const fs::path blocked = setup == "a file for the folder" ? user.fonts : font;
        fs::create_directories(blocked.parent_path());
        if (setup == "a damaged font") std::ofstream(font) << "half a font";
        if (setup == "a file for the folder") std::ofstream(blocked) << "not a folder";
        if (setup == "a folder for a font") fs::create_directory(blocked);
        try {
            BarcodeFontInstaller(user.prompter, sources, row[4]).Install();
            ASSERT_EQ(user.prompter.messages.size(), 1u);
            EXPECT_EQ(user.prompter.messages[0].icon, icons.at(row[5]));
            EXPECT_NE(user.prompter.messages[0].text.find(says), std::string::npos)
                << user.prompter.messages[0].text;
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(row[5], "thrown");
            EXPECT_EQ(std::string(error.what()).rfind(says + blocked.string() + ": ", 0), 0u)
                << error.what();
            EXPECT_TRUE(user.prompter.messages.empty());
        }
        const bool installed = row[5] == "Information" || row[5] == "Warning";
        EXPECT_EQ(fs::is_regular_file(font) &&
                      ReadBytes(font) == ReadBytes(kSourceFonts / "MarrowbyPOSTNET.ttf"),
                  installed);
        EXPECT_EQ(std::distance(fs::directory_iterator(blocked.parent_path()), {}),
                  installed            ? 2
                  : setup == "nothing" ? 0
                                       : 1);
    }
}

}  // namespace marrowby
