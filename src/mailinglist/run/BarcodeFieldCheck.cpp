#include "mailinglist/run/BarcodeFieldCheck.h"

#include <algorithm>

#include "mailinglist/FileKind.h"
#include "mailinglist/ListFile.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/run/RunPlan.h"

namespace marrowby {

namespace {

constexpr std::string_view kDigits = "0123456789";
constexpr size_t kShownLength = 40;

}  // namespace

bool IsBarcodeText(std::string_view value, std::string_view frame) {
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    const size_t first = value.find_first_of(kDigits);
    if (first == std::string_view::npos) return false;
    const size_t last = value.find_last_of(kDigits);
    const std::string_view digits = value.substr(first, last + 1 - first);
    const std::string_view head = value.substr(0, first);
    if (digits.size() != 12 || digits.find_first_not_of(kDigits) != std::string_view::npos ||
        head != value.substr(last + 1) || (head.empty() && !frame.empty())) {
        return false;
    }
    int sum = 0;
    for (char c : digits) sum += c - '0';
    return sum % 10 == 0;
}

bool IsIntelligentMailText(std::string_view value) {
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    return value.size() == 65 && value.find_first_not_of("ADFT") == std::string_view::npos;
}

std::optional<std::string> FirstOccupiedBarcodeField(MailingList& list, const RunPlan& plan,
                                                     std::string_view frame,
                                                     std::unique_ptr<RecordSource>& reader) {
    RunPlan reading = plan;
    reading.addMode = false;
    // Only the barcode field is looked at, so a list that copies out only the fields with
    // a role (dBase) copies out only that one.
    reading.roles = FieldRoles{.barcode = plan.roles.barcode};
    reader = list.openSource(reading);
    const int field = plan.roles.barcode;
    FieldList fields(std::max(plan.roles.highest(), plan.fieldCount) + 1);
    for (long record = 1; reader->readRecord(fields); ++record) {
        const std::string& value = fields[field];
        if (value.find_first_not_of(' ') == std::string::npos || IsBarcodeText(value, frame) ||
            IsIntelligentMailText(value)) {
            continue;
        }
        // A merge file's first line holds the names, so record n is on line n + 1.
        std::string where = "record " + std::to_string(record);
        if (IsTextKind(list.kind())) {
            where += " (line " + std::to_string(record + (list.kind() == kAsciiMerge)) + ")";
        }
        const std::vector<std::string> names = list.fieldNames();
        std::string fieldName = "field " + std::to_string(field + 1);
        if (field < static_cast<int>(names.size())) fieldName += " (" + names[field] + ")";
        const std::string shown =
            value.size() > kShownLength ? value.substr(0, kShownLength) + "..." : value;
        return "Marrowby did not change " + LastPathComponent(list.fileName()) + ": " + where +
               " holds \"" + shown + "\" in " + fieldName +
               ", the field chosen for the barcodes. An unattended run writes barcodes only "
               "into empty fields or over barcodes; choose the field in a run with the dialog.";
    }
    return std::nullopt;
}

}  // namespace marrowby
