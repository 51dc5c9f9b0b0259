// The secondary-unit designators of the highrise rule. The order is the order of
// precedence: the first designator found in an address names its unit.
#include "engine/BarcodeEngine.h"

namespace marrowby {

std::vector<std::string> DesignatorTable() {
    return {
        "APARTMENT", "APT",       "BASEMENT", "BSMT",  "BUILDING", "BLDG",   "DEPARTMENT",
        "DEPT",      "FLOOR",     "FL",       "FRONT", "FRNT",     "HANGER", "HNGR",
        "KEY",       "LOBBY",     "LBBY",     "LOT",   "LOWER",    "LOWR",   "OFFICE",
        "OFC",       "PENTHOUSE", "PH",       "PIER",  "REAR",     "ROOM",   "RM",
        "SIDE",      "SLIP",      "SPACE",    "SPC",   "STOP",     "SUITE",  "STE",
        "TRAILER",   "TRLR",      "UNIT",     "UPPER", "UPPR",     "#",
    };
}

}  // namespace marrowby
