// "Install Barcode Fonts" in a temporary home folder: where the fonts go, what the user is
// told, that a second run from the menu rewrites nothing, and that fontconfig then lists
// the fonts.
#include "app/BarcodeFontInstaller.h"

#include <QAction>
#include <QProcess>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
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

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
  public:
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void set(const std::string& name, const std::optional<std::string>& value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
        EXPECT_NE(message.text.find("\"Marrowby POSTNET\" at 16 pt"), std::string::npos);
        EXPECT_NE(message.text.find("\"Marrowby Intelligent Mail\" at 16 pt"), std::string::npos);
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

TEST(BarcodeFontInstaller, RepairsADamagedCopyAndReportsWhatGoesWrong) {
    struct Case {
        const char* name;
        std::function<void(FreshUser&)> prepare;
        std::vector<fs::path> sources;
        std::string fcCache;
        MessageIcon icon;
        std::string says;
    };
    const fs::path missing = "/nonexistent/marrowby-fonts";
    const std::vector<Case> cases = {
        {"damaged copy replaced",
         [](FreshUser& u) {
             fs::create_directories(u.fonts);
             std::ofstream(u.fonts / "MarrowbyPOSTNET.ttf") << "half a font";
         },
         {missing, kSourceFonts},
         "fc-cache",
         MessageIcon::Information,
         "The barcode fonts are now installed in the folder "},
        {"fonts not shipped",
         [](FreshUser&) {},
         {missing},
         "fc-cache",
         MessageIcon::Error,
         "The barcode fonts MarrowbyPOSTNET.ttf and MarrowbyIntelligentMail.ttf are not in any "
         "of these folders:\n/nonexistent/marrowby-fonts\n\nPlease install Marrowby again."},
        {"no font cache program",
         [](FreshUser&) {},
         {kSourceFonts},
         "no-such-fc-cache",
         MessageIcon::Warning,
         "The list of fonts could not be refreshed (no-such-fc-cache could not be started), so "
         "some programs may list the fonts only after you log in again."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshUser user;
        c.prepare(user);
        BarcodeFontInstaller(user.prompter, c.sources, c.fcCache).Install();
        ASSERT_EQ(user.prompter.messages.size(), 1u);
        EXPECT_EQ(user.prompter.messages[0].icon, c.icon);
        EXPECT_NE(user.prompter.messages[0].text.find(c.says), std::string::npos)
            << user.prompter.messages[0].text;
        const bool installed = c.icon != MessageIcon::Error;
        EXPECT_EQ(ReadBytes(user.fonts / "MarrowbyPOSTNET.ttf") ==
                      ReadBytes(kSourceFonts / "MarrowbyPOSTNET.ttf"),
                  installed);
    }

    // Something in the way of the folder or of a font: the error names it and no scratch
    // file is left behind.
    for (const bool blockFolder : {true, false}) {
        FreshUser user;
        const fs::path blocked = blockFolder ? user.fonts : user.fonts / "MarrowbyPOSTNET.ttf";
        fs::create_directories(blocked.parent_path());
        if (blockFolder)
            std::ofstream(blocked) << "not a folder";
        else
            fs::create_directory(blocked);
        try {
            BarcodeFontInstaller(user.prompter, {kSourceFonts}).Install();
            ADD_FAILURE() << "no error";
        } catch (const MarrowbyError& error) {
            const std::string says = blockFolder ? "Cannot create folder " : "Cannot write file ";
            EXPECT_EQ(std::string(error.what()).rfind(says + blocked.string() + ": ", 0), 0u)
                << error.what();
        }
        EXPECT_TRUE(user.prompter.messages.empty());
        EXPECT_EQ(
            std::distance(fs::directory_iterator(blocked.parent_path()), fs::directory_iterator()),
            1);
    }
}

}  // namespace marrowby
