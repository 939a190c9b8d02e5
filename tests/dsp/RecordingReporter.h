#pragma once
// A reporter that keeps every fault it is given.

#include <vector>

#include "common/Reporter.h"

namespace linelab {

class RecordingReporter : public Reporter {
  public:
    void Report(Fault fault) override { messages.push_back(fault); }
    std::vector<Fault> messages;
};

}  // namespace linelab
