// What the batch run is told about the list: its counts, the seven field roles and the mode.
#pragma once

#include <algorithm>
#include <string>

namespace marrowby {

struct FieldRoles {
    int address = -1;
    int zip5 = -1;
    int zip4 = -1;
    int zip9 = -1;
    int highrise = -1;
    int barcode = -1;
    int deliveryPoint = -1;

    int highest() const {
        return std::max({address, zip5, zip4, zip9, highrise, barcode, deliveryPoint});
    }
    bool operator==(const FieldRoles&) const = default;
};

struct RunPlan {
    std::string listFileName;  // full path
    long recordCount = 0;
    int fieldCount = 0;
    FieldRoles roles;
    bool addMode = true;  // false: a separate file of barcodes only
};

}  // namespace marrowby
