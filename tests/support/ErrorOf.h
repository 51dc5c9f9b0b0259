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

// What the call returns, or the mark and the message of the MarrowbyError it throws.
inline std::string ValueOrError(const std::function<std::string()>& call,
                                const std::string& mark = "! ") {
    std::string value;
    const std::string error = ErrorOf([&] { value = call(); });
    return error.empty() ? value : mark + error;
}

}  // namespace marrowby
