// The message of the error a call throws, for tests that check refusals word for word.
#pragma once

#include <functional>
#include <string>

#include "engine/MarrowbyError.h"

namespace marrowby {

// The message of the MarrowbyError the call throws; empty when it throws none.
inline std::string ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const MarrowbyError& error) {
        return error.what();
    }
    return {};
}

}  // namespace marrowby
