#include "mailinglist/run/AddBarcodesToFile.h"

#include <cctype>
#include <charconv>
#include <ostream>

#include "engine/AsciiUpper.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/access/AccessMailingList.h"
#include "mailinglist/dbase/DbaseMailingList.h"
#include "mailinglist/run/BatchRun.h"
#include "mailinglist/run/FieldIdentification.h"
#include "mailinglist/run/FieldIdentifier.h"
#include "mailinglist/run/RunProgress.h"
#include "mailinglist/text/TextFormat.h"
#include "mailinglist/text/TextLineReader.h"
#include "mailinglist/text/TextMailingList.h"
#include "platform/Prompter.h"
#include "platform/RecentListFolder.h"

namespace {

const char* const kOpenTitle = "Find the file that holds your mailing list:";
const char* const kOpenFilter = "All Files|*.*|Access|*.mdb;*.accdb|Ascii|*.txt;*.csv|dBase|*.dbf";

int ParsePosition(const std::string& text) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : -1;
}

TransferLines WriteTransferLines(const MailingList& list, const FieldRoles& roles) {
    return {list.kind(),
            list.fileName(),
            std::to_string(list.recordCount()),
            std::to_string(list.fieldCount()),
            std::to_string(roles.address),
            std::to_string(roles.zip5),
            std::to_string(roles.zip4),
            std::to_string(roles.zip9),
            std::to_string(roles.highrise),
            std::to_string(roles.barcode),
            std::to_string(roles.deliveryPoint)};
}

FieldRoles ReadTransferLines(const TransferLines& lines) {
    const auto at = [&](size_t i) { return i < lines.size() ? ParsePosition(lines[i]) : -1; };
    return {at(4), at(5), at(6), at(7), at(8), at(9), at(10)};
}

void ShowError(Prompter& prompter, const std::string& text) {
    prompter.message(MessageIcon::Error, MessageBeep::None, text, MessageButton::Ok);
}

// Chooses the list, decides its kind and counts it; nullptr after telling the user why
// it cannot be used (or when no file was chosen: then `chosen` stays false).
std::unique_ptr<MailingList> ChooseList(const StartArguments& args, MailingListContext& context,
                                        bool& chosen) {
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
        list = OpenListOfKind(kind, path, args, context);
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
    bool chosen = false;
    std::unique_ptr<MailingList> list = ChooseList(args, context, chosen);
    if (!list) return chosen ? 1 : 0;

    const bool addMode = context.addMode();
    FieldRoles roles;
    IdentifyByNames(list->fieldNames(), roles);
    if (NeedsContentIdentification(roles, addMode)) IdentifyByContents(*list, roles);

    TransferLines lines = WriteTransferLines(*list, roles);
    context.prompter.setBusy(false);
    for (;;) {
        if (!args.unattended() && context.identifier.identifyFields(lines, *list) == 2) return 0;
        roles = ReadTransferLines(lines);
        const std::optional<std::string> failed = CheckRoles(roles, addMode, *list);
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
                                            const StartArguments& args,
                                            MailingListContext& context) {
    if (IsTextKind(kind)) return OpenTextMailingList(path, kind, context.prompter);
    if (kind == kDbase) return OpenDbaseMailingList(path, context.prompter);
    if (kind == kAccess && context.taTable1 != nullptr) {
        // Only an unattended run names its table on the command line.
        const std::string table =
            args.unattended() && args.arguments.size() > 2 ? args.arguments[2] : std::string();
        return OpenAccessMailingList(*context.taTable1, path, table, context.chooseTable);
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
