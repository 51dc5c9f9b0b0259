#include "mailinglist/run/BatchRun.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "engine/BarcodeEngine.h"
#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/ListFile.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/run/BarcodeFieldCheck.h"
#include "mailinglist/run/IntelligentMailRun.h"
#include "mailinglist/run/MailingListContext.h"
#include "mailinglist/run/RunProgress.h"
#include "mailinglist/text/ReplacementFile.h"
#include "platform/Prompter.h"

namespace marrowby {

namespace {

const char* const kSaveTitle = "Choose a file (or name a new file) for the barcodes:";
const char* const kSaveFilter = "text files|*.txt";
const char* const kBarcodeFileName = "Barcode.txt";
// The answers when a Barcode.txt is already there; the first, which keeps it, is the default.
const char* const kAnotherName = "Choose Another Name";
const char* const kReplace = "Replace";

std::string_view At(const FieldViews& fields, int position) {
    return position >= 0 && position < static_cast<int>(fields.size()) ? fields[position]
                                                                       : std::string_view();
}

bool Digits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

constexpr size_t kZipDigits = 9;

// The nine ZIP digits of a record, from a 9-digit field (with or without its dash) or from
// the 5-digit and +4 fields; false when the record has none. They go into a buffer of the
// caller's: this runs for every record, and a string for them would be one more copy.
bool ZipDigits(const FieldViews& fields, const FieldRoles& roles, char (&zip)[kZipDigits]) {
    std::string_view first;
    std::string_view second;
    if (roles.zip9 < 0) {
        first = At(fields, roles.zip5);
        second = At(fields, roles.zip4);
    } else {
        const std::string_view text = At(fields, roles.zip9);
        if (text.size() == 9) {
            first = text;
        } else if (text.size() == 10 && text[5] == '-') {  // a dash elsewhere is no digit
            first = text.substr(0, 5);
            second = text.substr(6);
        }
    }
    if (first.size() + second.size() != kZipDigits) return false;
    // Checked and copied in one pass of a fixed length, which the compiler can unroll.
    bool digits = true;
    for (size_t i = 0; i < kZipDigits; ++i) {
        const char c = i < first.size() ? first[i] : second[i - first.size()];
        digits &= c >= '0' && c <= '9';
        zip[i] = c;
    }
    return digits;
}

std::string DeliveryPoint(const FieldViews& fields, const FieldRoles& roles) {
    if (roles.deliveryPoint < 0) return {};
    const std::string_view text = At(fields, roles.deliveryPoint);
    if (!Digits(text) || text.size() > 2) return {};
    return text.size() == 1 ? std::string{'0', text[0]} : std::string(text);
}

std::string Barcode(const FieldViews& fields, const FieldRoles& roles,
                    const BarcodeEngine& engine) {
    char digits[kZipDigits];
    if (!ZipDigits(fields, roles, digits)) return {};
    const std::string_view zip(digits, kZipDigits);
    if (roles.deliveryPoint >= 0) {
        const std::string deliveryPoint = DeliveryPoint(fields, roles);
        if (roles.address < 0 || !deliveryPoint.empty()) {
            return engine.ComputeBarcodes({}, zip, deliveryPoint);
        }
    }
    const std::string_view address = At(fields, roles.address);
    if (roles.highrise >= 0) {
        const std::string_view flag = At(fields, roles.highrise);
        if (flag == "H" || flag == "h" || flag == "X" || flag == "x" || flag == "Y" ||
            flag == "y") {
            return engine.Highrise(address, zip);
        }
    }
    return engine.ComputeBarcodes(address, zip, {});
}

// Re-enables the menu however the run ends.
class CommandsDisabled {
  public:
    explicit CommandsDisabled(const std::function<void(bool)>& setEnabled) : set_(setEnabled) {
        if (set_) set_(false);
    }
    ~CommandsDisabled() {
        if (set_) set_(true);
    }
    CommandsDisabled(const CommandsDisabled&) = delete;
    CommandsDisabled& operator=(const CommandsDisabled&) = delete;

  private:
    const std::function<void(bool)>& set_;
};

void ShowFailure(Prompter& prompter, MessageBeep beep, const std::string& text,
                 MessageButton button) {
    prompter.setBusy(false);
    prompter.message(MessageIcon::Error, beep, text, button);
}

// Where the barcodes-only file goes: "Barcode.txt" beside the list, where the user looks
// for it, or a name chosen in the save dialog, which starts in the list's folder. An
// existing Barcode.txt is replaced when the user agrees or nobody is there to ask; the
// other answer offers the save dialog instead. Empty when the user cancels.
std::string BarcodesOnlyFile(const std::string& listFileName, MailingListContext& context,
                             bool unattended) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::absolute(listFileName, error).parent_path();
    if (!context.settings.askForBarcodeFileName) {
        const std::string fixed = (folder / kBarcodeFileName).string();
        if (unattended || !fs::exists(fs::symlink_status(fixed, error))) return fixed;
        const int answer =
            context.prompter.ask(fixed + " already exists. Replace it with the barcodes for " +
                                     LastPathComponent(listFileName) + "?",
                                 {kAnotherName, kReplace});
        if (answer == 1) return fixed;
        if (answer != 0) return {};
    }
    return context.prompter.saveFile(kSaveTitle, kSaveFilter, "txt", folder.string());
}

}  // namespace

std::string RecordZip(const FieldList& fields, const FieldRoles& roles) {
    char zip[kZipDigits];
    return ZipDigits(FieldViews(fields.begin(), fields.end()), roles, zip)
               ? std::string(zip, kZipDigits)
               : std::string();
}

std::string RecordDeliveryPoint(const FieldList& fields, const FieldRoles& roles) {
    return DeliveryPoint(FieldViews(fields.begin(), fields.end()), roles);
}

std::string RecordBarcode(const FieldList& fields, const FieldRoles& roles,
                          const BarcodeEngine& engine) {
    return Barcode(FieldViews(fields.begin(), fields.end()), roles, engine);
}

bool AddBarcodes(MailingList& list, const RunPlan& plan, MailingListContext& context,
                 bool unattended) {
    Prompter& prompter = context.prompter;
    std::string outputName;
    if (!plan.addMode) {
        outputName = BarcodesOnlyFile(plan.listFileName, context, unattended);
        if (outputName.empty()) return true;
    }

    // Everything that can refuse to start does so before a record is written.
    std::unique_ptr<RecordSource> checked;  // outlives source: see FirstOccupiedBarcodeField
    std::optional<ReplacementFile> barcodes;
    std::unique_ptr<RecordSource> source;
    std::unique_ptr<IntelligentMailRun> intelligentMail;
    try {
        intelligentMail = IntelligentMailRun::Start(context.settingsFolder, list, plan);
        if (unattended && plan.addMode && plan.roles.barcode >= 0) {
            const std::optional<std::string> occupied =
                FirstOccupiedBarcodeField(list, plan, context.settings.frameBar, checked);
            if (occupied) {
                context.errors << *occupied << '\n';
                return false;
            }
        }
        if (!plan.addMode) barcodes.emplace(outputName);
        source = list.openSource(plan);
    } catch (const std::exception& error) {
        if (barcodes) barcodes->abandon();
        ShowFailure(prompter, MessageBeep::Exclamation, error.what(), MessageButton::Cancel);
        return false;
    }

    const CommandsDisabled commandsDisabled(context.setCommandsEnabled);
    try {
        prompter.setBusy(true);
        context.progress.ShowRunStart(plan.listFileName);
        context.progress.ShowEnvelopeStep(5);
        if (barcodes && list.kind() == kAsciiMerge) barcodes->writeLine("barcode");

        // A database table says itself where it ends; other lists have a known count.
        const bool countDrivesLoop = list.kind() != kAccess;
        FieldList storage(plan.roles.highest() + 1);
        FieldViews views;
        int progressStep = 1;
        std::string line;
        for (long recordNumber = 1; !countDrivesLoop || recordNumber <= plan.recordCount;
             ++recordNumber) {
            // At every whole fifth of the list, counted in whole numbers: a division in
            // floating point for every record costs more than the rest of this loop.
            while (progressStep < 6 && 5 * recordNumber >= progressStep * plan.recordCount) {
                ++progressStep;
                context.progress.ShowEnvelopeStep(6 - progressStep);
            }
            const FieldViews* fields = source->readRecordViews(storage, views);
            if (fields == nullptr) break;
            std::string barcode = Barcode(*fields, plan.roles, context.engine);
            if (intelligentMail) barcode = intelligentMail->code(barcode, context.engine);
            if (plan.addMode) {
                source->storeBarcode(barcode);
            } else {
                line.assign(1, '"');
                line += barcode;
                line += '"';
                barcodes->writeLine(line);
            }
        }
        // The serials are on record before the barcodes that use them are kept.
        if (intelligentMail) {
            if (std::string failed = intelligentMail->saveNextSerial(); !failed.empty()) {
                throw MarrowbyError(failed);
            }
        }
        if (barcodes) barcodes->commit();
        source->finish();
    } catch (const std::exception& error) {
        source->abandon();
        if (barcodes) barcodes->abandon();
        std::string text = error.what();
        if (intelligentMail) {
            if (std::string failed = intelligentMail->saveNextSerial(); !failed.empty()) {
                text += "\n" + failed;
            }
        }
        ShowFailure(prompter, MessageBeep::None, text, MessageButton::Ok);
        return false;
    }
    prompter.setBusy(false);

    // The name as the file system spells it: another case would name another file.
    const std::string name = LastPathComponent(plan.listFileName);
    const std::string text =
        plan.addMode ? "Barcodes have been added to " + name + "."
                     : "Barcodes for " + name + " have been saved in " + outputName + ".";
    if (!unattended) {
        prompter.message(MessageIcon::Information, MessageBeep::Exclamation, text,
                         MessageButton::Ok);
    }
    return true;
}

}  // namespace marrowby
