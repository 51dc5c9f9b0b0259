// A HelpRequests for tests: records every request.
#pragma once

#include <vector>

#include "platform/HelpRequests.h"

namespace marrowby {

class FakeHelp : public HelpRequests {
  public:
    void showContext(int context) override { contexts.push_back(context); }
    void showIndex() override { ++indexRequests; }
    void quit() override {}

    std::vector<int> contexts;
    int indexRequests = 0;
};

}  // namespace marrowby
