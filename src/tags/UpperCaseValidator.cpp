// Upper-casing validator for the tag dialogs' edits.
#include "tags/UpperCaseValidator.h"

namespace marrowby {

QValidator::State UpperCaseValidator::validate(QString& input, int& position) const {
    // A letter may grow when upper-cased (ß becomes SS); the cursor stays after it.
    position = static_cast<int>(input.left(position).toUpper().size());
    input = input.toUpper();
    return Acceptable;
}

}  // namespace marrowby
