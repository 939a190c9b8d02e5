#pragma once
// Where the simulation sends the messages that the window shows in a modal box.

#include <string_view>

namespace linelab {

class Reporter {
  public:
    virtual ~Reporter() = default;
    // stopsTimer: the message also switches the run timer off; the window must disable the
    // timer before it shows the box, so that no tick can start while the box is open.
    virtual void Report(std::string_view message, bool stopsTimer) = 0;
};

}  // namespace linelab
