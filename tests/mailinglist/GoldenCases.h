// Reading the golden cases of the mailing-list tests: bytes spelt with C escapes, field
// roles spelt as "address=1 zip9=2", and lists of values in one field.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "TestData.h"
#include "mailinglist/run/RunPlan.h"

namespace marrowby {

// The bytes a field spells with \t \r \n \\ \" and octal or \x escapes.
inline std::string Unescaped(const std::string& field) {
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            bytes += field[i];
            continue;
        }
        const char c = field[++i];
        if (c >= '0' && c <= '7') {
            int value = 0;
            for (int digits = 0;
                 digits < 3 && i < field.size() && field[i] >= '0' && field[i] <= '7';
                 ++digits, ++i)
                value = value * 8 + (field[i] - '0');
            bytes += char(value);
            --i;
        } else if (c == 'x') {
            bytes += char(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return bytes;
}

// The values of a field separated by the given character; none in an empty field.
inline std::vector<std::string> SplitField(const std::string& field, char separator) {
    std::vector<std::string> parts;
    if (field.empty()) return parts;
    std::size_t start = 0;
    for (std::size_t end; (end = field.find(separator, start)) != std::string::npos;
         start = end + 1)
        parts.push_back(field.substr(start, end - start));
    parts.push_back(field.substr(start));
    return parts;
}

inline int* RoleOf(FieldRoles& roles, const std::string& name) {
    if (name == "address") return &roles.address;
    if (name == "zip5") return &roles.zip5;
    if (name == "zip4") return &roles.zip4;
    if (name == "zip9") return &roles.zip9;
    if (name == "highrise") return &roles.highrise;
    if (name == "barcode") return &roles.barcode;
    if (name == "dp") return &roles.deliveryPoint;
    ADD_FAILURE() << "no role " << name;
    return nullptr;
}

// "address=1 zip9=2": the roles named, every other one unset; words without '=' are ignored.
inline FieldRoles RolesFrom(const std::string& text) {
    FieldRoles roles;
    for (const std::string& word : SplitField(text, ' ')) {
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos) continue;
        if (int* role = RoleOf(roles, word.substr(0, equals)))
            *role = std::stoi(word.substr(equals + 1));
    }
    return roles;
}

// Failure messages show roles as the golden files spell them.
inline void PrintTo(const FieldRoles& roles, std::ostream* out) {
    FieldRoles copy = roles;
    for (const char* name : {"address", "zip5", "zip4", "zip9", "highrise", "barcode", "dp"})
        if (const int position = *RoleOf(copy, name); position >= 0)
            *out << name << '=' << position << ' ';
}

}  // namespace marrowby
