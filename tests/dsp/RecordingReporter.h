#pragma once
// A reporter that keeps every message it is given.

#include <string>
#include <string_view>
#include <vector>

#include "common/Reporter.h"

namespace linelab {

class RecordingReporter : public Reporter {
  public:
    void Report(std::string_view message, bool stopsTimer) override {
        messages.emplace_back(message);
        stops.push_back(stopsTimer);
    }
    std::vector<std::string> messages;
    std::vector<bool> stops;
};

}  // namespace linelab
