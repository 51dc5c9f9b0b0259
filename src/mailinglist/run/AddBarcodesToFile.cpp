#include "mailinglist/run/AddBarcodesToFile.h"

#include <cctype>
#include <ostream>

#include "engine/AsciiUpper.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/ListFile.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/access/AccessMailingList.h"
#include "mailinglist/access/AccessTable.h"
#include "mailinglist/dbase/DbaseMailingList.h"
#include "mailinglist/run/BatchRun.h"
#include "mailinglist/run/FieldIdentification.h"
#include "mailinglist/run/FieldIdentifier.h"
#include "mailinglist/run/IntelligentMailRun.h"
#include "mailinglist/run/RunProgress.h"
#include "mailinglist/text/TextFormat.h"
#include "mailinglist/text/TextMailingList.h"
#include "platform/Prompter.h"
#include "platform/RecentListFolder.h"

namespace marrowby {

namespace {

const char* const kOpenTitle = "Find the file that holds your mailing list:";
const char* const kOpenFilter = "All Files|*.*|Access|*.mdb;*.accdb|Ascii|*.txt;*.csv|dBase|*.dbf";

void ShowError(Prompter& prompter, const std::string& text) {
    prompter.message(MessageIcon::Error, MessageBeep::None, text, MessageButton::Ok);
}

// Chooses the list, decides its kind and counts it; nullptr after telling the user why
// it cannot be used (or when no file was chosen: then `chosen` stays false).
std::unique_ptr<MailingList> ChooseList(const StartArguments& args, MailingListContext& context,
                                        AccessTable& taTable1, bool& chosen) {
    Prompter& prompter = context.prompter;
    RecentListFolder* recent = context.recentLists;
    const std::string path =
        args.any() ? args.arguments[0]
                   : prompter.openFile(kOpenTitle, kOpenFilter,
                                       recent != nullptr ? recent->folder() : std::string());
    chosen = !path.empty();
    if (!chosen) return nullptr;
    if (recent != nullptr) recent->remember(path);

    prompter.setBusy(true);
    std::string kind = KindFromExtension(path);
    if (kind.empty()) kind = DetectTextKind(path, prompter);
    if (kind.empty()) return nullptr;

    std::unique_ptr<MailingList> list;
    try {
        list = OpenListOfKind(kind, path, args, context, taTable1);
    } catch (const std::exception& error) {
        prompter.setBusy(false);
        prompter.message(MessageIcon::Error, MessageBeep::Exclamation,
                         "Marrowby could not read " + LastPathComponent(path) +
                             ". The file may be in use by another application. " + error.what(),
                         MessageButton::Cancel);
        return nullptr;
    }
    if (list && list->recordCount() < 1) {
        prompter.setBusy(false);
        ShowError(prompter, LastPathComponent(path) + " holds no records.");
        return nullptr;
    }
    return list;
}

int OpenMailingList(const StartArguments& args, MailingListContext& context) {
    // An Access list reads through this table from its opening to the end of its run.
    AccessTable taTable1;
    bool chosen = false;
    std::unique_ptr<MailingList> list = ChooseList(args, context, taTable1, chosen);
    if (!list) return chosen ? 1 : 0;

    const bool addMode = context.settings.addMode;
    FieldRoles roles;
    IdentifyByNames(list->fieldNames(), roles);
    if (NeedsContentIdentification(roles, addMode)) IdentifyByContents(*list, roles);
    // The dialog never proposes a field that holds data; an unattended run, which has no
    // dialog, checks the field it was given before it writes.
    if (!args.unattended()) KeepBarcodesOffData(*list, addMode, context.settings.frameBar, roles);

    context.prompter.setBusy(false);
    for (;;) {
        if (!args.unattended() && !context.identifier.identifyFields(roles, *list, addMode)) {
            return 0;
        }
        std::optional<std::string> failed = CheckRoles(roles, addMode, *list);
        if (!failed) {
            failed =
                IntelligentMailFieldProblem(context.settingsFolder, *list, roles.barcode, addMode);
        }
        if (!failed) break;
        if (args.unattended()) {
            // Nobody is there to correct the choice: the same check would fail forever.
            context.errors << *failed << '\n';
            return 1;
        }
        ShowError(context.prompter, *failed);
    }

    RunPlan plan;
    plan.listFileName = list->fileName();
    plan.recordCount = list->recordCount();
    plan.fieldCount = list->fieldCount();
    plan.roles = roles;
    plan.addMode = addMode;
    return AddBarcodes(*list, plan, context, args.unattended()) ? 0 : 1;
}

}  // namespace

std::string KindFromExtension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    const std::string extension = AsciiUpper(path.substr(dot));
    if (extension == ".DBF" || extension == ".DBT") return std::string(kDbase);
    if (extension == ".MDB" || extension == ".ACCDB") return std::string(kAccess);
    return {};
}

// The one place where a kind of list chooses its opener.
std::unique_ptr<MailingList> OpenListOfKind(const std::string& kind, const std::string& path,
                                            const StartArguments& args, MailingListContext& context,
                                            AccessTable& taTable1) {
    if (IsTextKind(kind)) return OpenTextMailingList(path, kind, context.prompter);
    if (kind == kDbase) return OpenDbaseMailingList(path, context.prompter);
    if (kind == kAccess) {
        // Only an unattended run names its table on the command line.
        const std::string table =
            args.unattended() && args.arguments.size() > 2 ? args.arguments[2] : std::string();
        return OpenAccessMailingList(taTable1, path, table, context.chooseTable,
                                     args.unattended() ? nullptr : &context.prompter);
    }
    return nullptr;
}

int AddBarcodesToFile(const StartArguments& args, MailingListContext& context) {
    context.progress.ClearPagePicture();
    int status = 1;
    try {
        status = OpenMailingList(args, context);
    } catch (const std::exception& error) {
        context.prompter.setBusy(false);
        ShowError(context.prompter, error.what());
    }
    context.prompter.setBusy(false);
    context.progress.ClearPagePicture();
    context.progress.HideRunLabels();
    return status;
}

}  // namespace marrowby
