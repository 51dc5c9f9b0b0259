// "Install Barcode Fonts" in a temporary home folder: where the fonts go, what the user is
// told, that a second run from the menu rewrites nothing, and that fontconfig then lists
// the fonts.
#include "app/BarcodeFontInstaller.h"

#include <QAction>
#include <QProcess>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "FakePrompter.h"
#include "TempFolder.h"
#include "app/Application.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

void Put(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
  public:
    ~Environment() {
        for (const auto& [name, value] : saved_) Put(name, value);
    }
    void set(const std::string& name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name.c_str());
        saved_.try_emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        Put(name, value);
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
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
    struct Case {
        std::optional<std::string> data, home;
        std::string folder;
    };
    const std::vector<Case> cases = {
        {"/x/data", "/home/u", "/x/data/fonts"},
        {"relative/data", "/home/u", "/home/u/.local/share/fonts"},
        {"", "/home/u", "/home/u/.local/share/fonts"},
        {std::nullopt, "/home/u", "/home/u/.local/share/fonts"},
        {std::nullopt, std::nullopt, ""},
        {std::nullopt, "relative", ""},
    };
    for (const Case& c : cases) {
        Environment environment;
        environment.set("XDG_DATA_HOME", c.data);
        environment.set("HOME", c.home);
        EXPECT_EQ(BarcodeFontInstaller::UserFontFolder(), fs::path(c.folder))
            << c.data.value_or("(unset)") << " " << c.home.value_or("(unset)");
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

    QProcess list;
    list.start("fc-list", {":", "family", "file"});
    ASSERT_TRUE(list.waitForFinished(60000));
    const std::string listed = list.readAllStandardOutput().toStdString();
    for (const BarcodeFont& font : BarcodeFonts()) {
        EXPECT_NE(listed.find((user.fonts / font.file).string() + ": " + font.family),
                  std::string::npos)
            << listed;
    }
}

// A damaged copy is replaced; what goes wrong is told, or thrown naming what is in the way,
// and no scratch file is left behind.
TEST(BarcodeFontInstaller, RepairsADamagedCopyAndReportsWhatGoesWrong) {
    enum Setup { Fresh, DamagedFont, FileForFolder, FolderForFont };
    struct Case {
        Setup setup;
        std::vector<fs::path> sources;
        std::string fcCache;
        std::optional<MessageIcon> icon;  // none: thrown
        std::string says;                 // thrown: followed by what is in the way
    };
    const fs::path missing = "/nonexistent/marrowby-fonts";
    const std::vector<Case> cases = {
        {DamagedFont,
         {missing, kSourceFonts},
         "fc-cache",
         MessageIcon::Information,
         "The barcode fonts are now installed in the folder "},
        {Fresh,
         {missing},
         "fc-cache",
         MessageIcon::Error,
         "The barcode fonts MarrowbyPOSTNET.ttf and MarrowbyIntelligentMail.ttf are not in any "
         "of these folders:\n/nonexistent/marrowby-fonts\n\nPlease install Marrowby again."},
        {Fresh,
         {kSourceFonts},
         "no-such-fc-cache",
         MessageIcon::Warning,
         "The list of fonts could not be refreshed (no-such-fc-cache could not be started), so "
         "some programs may list the fonts only after you log in again."},
        {FileForFolder, {kSourceFonts}, "fc-cache", std::nullopt, "Cannot create folder "},
        {FolderForFont, {kSourceFonts}, "fc-cache", std::nullopt, "Cannot write file "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        FreshUser user;
        const fs::path font = user.fonts / "MarrowbyPOSTNET.ttf";
        const fs::path blocked = c.setup == FileForFolder ? user.fonts : font;
        fs::create_directories(blocked.parent_path());
        if (c.setup == DamagedFont) std::ofstream(font) << "half a font";
        if (c.setup == FileForFolder) std::ofstream(blocked) << "not a folder";
        if (c.setup == FolderForFont) fs::create_directory(blocked);
        try {
            BarcodeFontInstaller(user.prompter, c.sources, c.fcCache).Install();
            ASSERT_EQ(user.prompter.messages.size(), 1u);
            EXPECT_EQ(user.prompter.messages[0].icon, c.icon);
            EXPECT_NE(user.prompter.messages[0].text.find(c.says), std::string::npos)
                << user.prompter.messages[0].text;
        } catch (const MarrowbyError& error) {
            EXPECT_EQ(c.icon, std::nullopt);
            EXPECT_EQ(std::string(error.what()).rfind(c.says + blocked.string() + ": ", 0), 0u)
                << error.what();
            EXPECT_TRUE(user.prompter.messages.empty());
        }
        const bool installed = c.icon && c.icon != MessageIcon::Error;
        EXPECT_EQ(fs::is_regular_file(font) &&
                      ReadBytes(font) == ReadBytes(kSourceFonts / "MarrowbyPOSTNET.ttf"),
                  installed);
        EXPECT_EQ(std::distance(fs::directory_iterator(blocked.parent_path()), {}),
                  installed          ? 2
                  : c.setup == Fresh ? 0
                                     : 1);
    }
}

}  // namespace marrowby
