#include "mailinglist/run/FieldIdentification.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "engine/AsciiUpper.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/MailingList.h"
#include "mailinglist/run/BarcodeFieldCheck.h"

namespace {

struct NameRule {
    std::vector<std::string> names;
    int FieldRoles::*role;
};

int Find(const std::vector<std::string>& upperNames, const std::string& name) {
    const auto found = std::find(upperNames.begin(), upperNames.end(), name);
    return found == upperNames.end() ? -1 : static_cast<int>(found - upperNames.begin());
}

// One barcode text with a one-character frame bar.
constexpr int kShortestBarcodeField = 14;

bool Digits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

int VoteOfThree(int first, int second, int third) {
    if (second == first || third == first) return first;
    if (third == second) return second;
    return -1;
}

void IdentifyByNames(const std::vector<std::string>& names, FieldRoles& roles) {
    std::vector<std::string> upper;
    upper.reserve(names.size());
    for (const std::string& name : names) upper.push_back(AsciiUpper(name));

    // Later rows override earlier ones for the same role.
    const std::array<NameRule, 5> rules{{
        {{"ZIP4"}, &FieldRoles::zip4},
        {{"ZIP+4"}, &FieldRoles::zip9},
        {{"ADDR1", "ADDRESS"}, &FieldRoles::address},
        {{"HIGHRISE"}, &FieldRoles::highrise},
        {{"USER5", "BARCODE"}, &FieldRoles::barcode},
    }};
    const auto apply = [&](const NameRule& rule) {
        for (const std::string& name : rule.names) {
            const int position = Find(upper, name);
            if (position >= 0) roles.*(rule.role) = position;
        }
    };
    apply(rules[0]);
    apply(rules[1]);
    // A plain "ZIP" is the 5-digit part when a +4 field sits beside it, else the whole ZIP.
    apply(
        {{"ZIP", "ZIPCODE", "ZIP CODE"}, roles.zip4 >= 0 ? &FieldRoles::zip5 : &FieldRoles::zip9});
    apply(rules[2]);
    apply(rules[3]);
    apply(rules[4]);
    apply({{"DELIVERY POINT", "DELIVERY PT", "DELIVERY PT.", "DEL POINT", "DEL PT", "DEL. POINT",
            "DEL. PT.", "DP"},
           &FieldRoles::deliveryPoint});
}

FieldRoles ContentCandidates(const FieldList& record, int fieldCount) {
    FieldRoles pass;
    for (int i = 0; i < fieldCount && i < static_cast<int>(record.size()); ++i) {
        std::string_view v = record[i];
        while (v.size() > 1 && v.back() == ' ') v.remove_suffix(1);
        switch (v.size()) {
            case 2:
                if (pass.deliveryPoint < 0 && Digits(v)) pass.deliveryPoint = i;
                break;
            case 4:
                if (pass.zip4 < 0 && pass.zip9 < 0 && Digits(v)) pass.zip4 = i;
                break;
            case 5:
                if (pass.zip5 < 0 && pass.zip9 < 0 && Digits(v)) pass.zip5 = i;
                break;
            case 9:
            case 10:
                if (pass.zip9 < 0 && (v.size() == 9 ? Digits(v)
                                                    : Digits(v.substr(0, 5)) && v[5] == '-' &&
                                                          Digits(v.substr(6)))) {
                    pass.zip9 = i;
                    pass.zip5 = -1;
                    pass.zip4 = -1;
                }
                break;
            case 14:
                if (pass.barcode < 0 && Digits(v.substr(1, 12))) pass.barcode = i;
                break;
            default:
                break;
        }
        // An empty field offers room for the barcodes.
        if (pass.barcode < 0 && v.empty()) pass.barcode = i;
        // The address is the last long field before the first ZIP or barcode.
        if (pass.zip5 < 0 && pass.zip4 < 0 && pass.zip9 < 0 && pass.barcode < 0 && v.size() > 2) {
            pass.address = i;
        }
    }
    return pass;
}

void IdentifyByContents(MailingList& list, FieldRoles& roles) {
    std::array<FieldRoles, 3> passes;
    for (int k = 0; k < 3; ++k) {
        passes[k] = ContentCandidates(list.identificationRecord(k + 1), list.fieldCount());
    }
    for (int FieldRoles::*role :
         {&FieldRoles::address, &FieldRoles::zip5, &FieldRoles::zip4, &FieldRoles::zip9,
          &FieldRoles::barcode, &FieldRoles::deliveryPoint}) {
        if (roles.*role == -1) {
            roles.*role = VoteOfThree(passes[0].*role, passes[1].*role, passes[2].*role);
        }
    }
}

void KeepBarcodesOffData(MailingList& list, bool addMode, std::string_view frameBar,
                         FieldRoles& roles) {
    if (!addMode || IsTextKind(list.kind())) return;
    const std::vector<bool> free = list.textFieldsHoldingOnly([&](std::string_view value) {
        return value.find_first_not_of(std::string_view(" \0", 2)) == std::string_view::npos ||
               IsBarcodeText(value, frameBar);
    });
    const auto isFree = [&](int position) {
        return position >= 0 && position < static_cast<int>(free.size()) && free[position];
    };
    if (isFree(roles.barcode)) return;
    roles.barcode = -1;
    for (int position = 0; position < static_cast<int>(free.size()); ++position) {
        const int width = list.fieldWidth(position);
        const bool heldByAnother = position == roles.address || position == roles.zip5 ||
                                   position == roles.zip4 || position == roles.zip9 ||
                                   position == roles.highrise || position == roles.deliveryPoint;
        if (isFree(position) && !heldByAnother && (width < 0 || width >= kShortestBarcodeField)) {
            roles.barcode = position;
            return;
        }
    }
}

bool NeedsContentIdentification(const FieldRoles& roles, bool addMode) {
    const bool zipComplete = roles.zip9 >= 0 || (roles.zip5 >= 0 && roles.zip4 >= 0);
    const bool placeKnown = roles.address >= 0 || roles.deliveryPoint >= 0;
    const bool barcodeKnown = roles.barcode >= 0 || !addMode;
    return !(zipComplete && placeKnown && barcodeKnown);
}

std::optional<std::string> CheckRoles(const FieldRoles& roles, bool addMode, MailingList& list) {
    if (roles.zip9 == -1 && (roles.zip5 == -1 || roles.zip4 == -1)) {
        return std::string(
            "Marrowby cannot proceed until you tell it which field(s) contains the zip codes. "
            "You can identify either a single field containing 9-digit zip codes, "
            "or two fields, one containing the first 5 digits and the other containing the +4 "
            "digits.");
    }
    if (roles.address == -1 && roles.deliveryPoint == -1) {
        return std::string(
            "Marrowby cannot proceed until you tell it either which field contains the street "
            "address or which field contains the delivery point (or both).");
    }
    if (roles.barcode == -1 && addMode && !IsTextKind(list.kind())) {
        return std::string(
            "Marrowby cannot proceed until you tell it in which field the barcodes should be "
            "placed.");
    }
    if (roles.barcode >= 0 && addMode) {
        const int width = list.fieldWidth(roles.barcode);
        if (width >= 0 && width < kShortestBarcodeField) {
            return std::string(
                "The field you chose for barcodes is too short. It must be able to hold at least "
                "14 characters.");
        }
    }
    return std::nullopt;
}
