// A scripted identification dialog and the pieces every headless run of the road needs.
#pragma once

#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "FakePrompter.h"
#include "engine/BarcodeEngine.h"
#include "mailinglist/run/AddBarcodesToFile.h"
#include "mailinglist/run/FieldIdentifier.h"
#include "mailinglist/run/RunPlan.h"
#include "mailinglist/run/RunProgress.h"

namespace marrowby {

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

}  // namespace marrowby
