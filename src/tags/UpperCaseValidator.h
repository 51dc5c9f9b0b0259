// Turns every letter typed or pasted into a line edit to upper case, as tags print it.
#pragma once

#include <QValidator>

namespace marrowby {

class UpperCaseValidator : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

}  // namespace marrowby
