// What the mailing-list tests share: golden-case readers, a scripted road, Access copies.
#pragma once

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ErrorOf.h"
#include "FakePrompter.h"
#include "ShellCommand.h"
#include "TempFolder.h"
#include "TestData.h"
#include "engine/BarcodeEngine.h"
#include "engine/IntelligentMail.h"
#include "mailinglist/access/AccessMailingList.h"
#include "mailinglist/run/AddBarcodesToFile.h"
#include "mailinglist/run/FieldIdentifier.h"
#include "mailinglist/run/RunPlan.h"
#include "mailinglist/run/RunProgress.h"

namespace marrowby {

// The roles by the names the golden files give them.
inline const std::pair<std::string, int FieldRoles::*> kRoleNames[] = {
    {"address", &FieldRoles::address},   {"zip5", &FieldRoles::zip5},
    {"zip4", &FieldRoles::zip4},         {"zip9", &FieldRoles::zip9},
    {"highrise", &FieldRoles::highrise}, {"barcode", &FieldRoles::barcode},
    {"dp", &FieldRoles::deliveryPoint}};

// "address=1 zip9=2": the roles named, every other one unset; words without '=' are ignored.
inline FieldRoles RolesFrom(const std::string& text) {
    FieldRoles roles;
    for (const std::string& word : SplitField(text, ' ')) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) continue;
        const auto named =
            std::find_if(std::begin(kRoleNames), std::end(kRoleNames),
                         [&](const auto& role) { return role.first == word.substr(0, equals); });
        if (named == std::end(kRoleNames))
            ADD_FAILURE() << "no role " << word;
        else
            roles.*named->second = std::stoi(word.substr(equals + 1));
    }
    return roles;
}

// Failure messages show roles as the golden files spell them.
inline void PrintTo(const FieldRoles& roles, std::ostream* out) {
    for (const auto& [name, role] : kRoleNames)
        if (roles.*role >= 0) *out << name << '=' << roles.*role << ' ';
}

inline RunPlan PlanFor(const MailingList& list, const FieldRoles& roles, bool addMode = true) {
    return {list.fileName(), list.recordCount(), list.fieldCount(), roles, addMode};
}

// A box as the golden files spell it: "Error Exclamation Cancel" (icon, beep, button).
inline std::string BoxText(const RecordedMessage& box) {
    const char* const icons[] = {"Error", "Warning", "Information"};
    const char* const beeps[] = {"None", "Exclamation", "Error"};
    const char* const buttons[] = {"Ok", "Cancel"};
    return std::string(icons[int(box.icon)]) + " " + beeps[int(box.beep)] + " " +
           buttons[int(box.button)];
}

// A tab list record of 123 MAIN ST in 12345-6789, its barcode, and the answer that picks its
// address and ZIP fields.
inline const std::string kCode = "/123456789230/";
inline const std::string kRecord = "a\t123 MAIN ST\t123456789";

// Each showing takes the next answer: the roles the user leaves chosen and Finish or Cancel.
struct FakeIdentifierAnswer {
    FieldRoles roles;
    bool finish = true;
};

inline const FakeIdentifierAnswer kTabAnswer{{.address = 1, .zip9 = 2}};

// mailer.dat from its choice (1: Intelligent Mail), mailer ID and next serial, given as
// "1 123456 41".
inline std::string MailerFile(const std::string& choiceIdNext) {
    std::istringstream words(choiceIdNext);
    std::string choice, mailerId, next;
    words >> choice >> mailerId >> next;
    return "mine\r\n" + choice + "\r\n" + mailerId + "\r\n300\r\n00\r\n" + next +
           "\r\nL\r\nextra\r\n";
}

// The Intelligent Mail bars for mailer 123456, service type 300, with a nine-digit serial.
inline std::string Bars(unsigned long long serial, const std::string& routing) {
    const std::string digits = std::to_string(serial);
    return IntelligentMailBars("00300123456" + std::string(9 - digits.size(), '0') + digits,
                               routing);
}

class FakeIdentifier : public FieldIdentifier {
  public:
    bool identifyFields(FieldRoles& roles, MailingList&, bool addMode) override {
        shown.push_back(roles);
        addModes.push_back(addMode);
        if (onShow) onShow();
        // Out of answers: confirm what was identified once, then give up rather than loop.
        if (answers.empty()) return shown.size() == 1;
        const FakeIdentifierAnswer answer = answers.front();
        answers.pop_front();
        roles = answer.roles;
        return answer.finish;
    }

    std::deque<FakeIdentifierAnswer> answers;
    std::vector<FieldRoles> shown;
    std::vector<bool> addModes;
    // Acts while the dialog is open (another program changes the list meanwhile).
    std::function<void()> onShow;
};

// Records the steps shown and can act at one of them (a folder that vanishes mid-run).
class RecordingProgress : public RunProgress {
  public:
    void ShowRunStart(const std::string& name) override { events.push_back("start " + name); }
    void ShowEnvelopeStep(int n) override {
        events.push_back("step " + std::to_string(n));
        if (atStep && n == 2) atStep();
    }
    void ClearPagePicture() override { events.push_back("clear"); }
    void HideRunLabels() override { events.push_back("hide"); }

    std::vector<std::string> events;
    std::function<void()> atStep;
};

struct RoadFixture {
    std::vector<std::string> preferences{"Marrowby preferences", "0", "0", "/"};
    std::vector<std::string> designators = DesignatorTable();
    BarcodeEngine engine{preferences, designators};
    FakePrompter prompter;
    FakeIdentifier identifier;
    RecordingProgress progress;
    std::ostringstream errors;
    std::vector<bool> commandsEnabled;
    MailingListContext context{prompter,
                               identifier,
                               progress,
                               engine,
                               RunSettingsOf(preferences),
                               [this](bool on) { commandsEnabled.push_back(on); },
                               errors};
    TempFolder settings;

    // Writes mailer.dat ("1 123456 41": Intelligent Mail, mailer ID, next serial), or none.
    void useMailer(const std::string& choiceIdNext) {
        context.settingsFolder = settings.path();
        std::filesystem::remove(settings.path() / "mailer.dat");
        if (choiceIdNext != "-") settings.write("mailer.dat", MailerFile(choiceIdNext));
    }
    std::string mailer() const { return ReadBytes(settings.path() / "mailer.dat"); }

    // Runs the command with the given answers and a fresh record of messages, dialogs and steps.
    int run(std::vector<std::string> arguments, std::vector<FakeIdentifierAnswer> answers = {}) {
        prompter.messages.clear();
        identifier.shown.clear();
        identifier.addModes.clear();
        context.settings = RunSettingsOf(preferences);
        identifier.answers.assign(answers.begin(), answers.end());
        commandsEnabled.clear();
        progress.events.clear();
        return AddBarcodesToFile(StartArguments{std::move(arguments)}, context);
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const RecordedMessage& m : prompter.messages) texts.push_back(m.text);
        return texts;
    }
};

// A fresh folder holding a copy of the named database; a missing database fails the test.
#define ACCESS_DATABASE(variable, folder, name) \
    TempFolder folder;                          \
    const std::filesystem::path variable =      \
        folder.write(name, TestDataBytes("access/" + std::string(name)))

// Every row of a table as mdb-export prints it (no header, text unquoted).
using AccessRows = std::vector<std::vector<std::string>>;
inline AccessRows ExportAccessTable(const std::filesystem::path& database,
                                    const std::string& table) {
    const ShellResult exported = RunShellCommand("mdb-export -H -Q -d '\x1f' -R '\x1e' -b strip '" +
                                                 database.string() + "' '" + table + "'");
    if (exported.status != 0) throw std::runtime_error("mdb-export failed on " + database.string());
    AccessRows rows;
    for (const std::string& line : SplitField(exported.output, '\x1e'))
        if (!line.empty()) rows.push_back(SplitField(line, '\x1f'));
    return rows;
}

// The names in a folder, sorted, to see that nothing is left behind.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Opens the table and stores barcodeFor(n) in field of every record n (from 1) through the
// run's source; the run's error, or empty.
inline std::string RunOver(const std::filesystem::path& path, const std::string& table,
                           const std::string& field,
                           const std::function<std::string(long)>& barcodeFor,
                           Prompter* prompter = nullptr) {
    AccessTable taTable1;
    return ErrorOf([&] {
        auto list = OpenAccessMailingList(
            taTable1, path.string(), table,
            [](const std::string&, const std::vector<std::string>&) { return std::string(); },
            prompter);
        if (!list) throw MarrowbyError("The table " + table + " is not in the database.");
        auto source = list->openSource(
            PlanFor(*list, {.address = 0, .barcode = taTable1.FieldPosition(field)}));
        FieldList fields;
        for (long n = 1; source->readRecord(fields); ++n) source->storeBarcode(barcodeFor(n));
        source->finish();
    });
}

inline std::string SameBarcode(long) { return "/770011234057/"; }

}  // namespace marrowby
