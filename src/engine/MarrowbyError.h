// The one error type of the program: an unexpected failure carrying the text that
// the main window shows in its standard error message box.
#pragma once

#include <stdexcept>
#include <string>

namespace marrowby {

class MarrowbyError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace marrowby
