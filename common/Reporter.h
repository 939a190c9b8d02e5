#pragma once
// Where the simulation sends what it met and could not handle. The core names the fault; the
// words the user reads, and the box they appear in, are the form model's (ui/FaultText.h).

#include <cstdint>
#include <string_view>

namespace linelab {

enum class Fault : uint8_t {
    UnknownLineCode,          // the transmitter's line code names nothing
    UnknownMapping,           // the transmitter's level mapping names nothing
    UnknownDemodulation,      // the receiver's level mapping names nothing
    UnknownThresholdPattern,  // the thresholds follow no format's pattern
    TransformLength,          // a transform asked of a length that is not a power of two
};

// True for the faults that leave the run meaningless: the window stops its timer before it
// shows them, so no tick starts while the box is open or after it closes.
constexpr bool StopsTimer(Fault fault) {
    return fault == Fault::UnknownLineCode || fault == Fault::UnknownMapping ||
           fault == Fault::UnknownDemodulation;
}

// A short plain description, for what stops a run that no window shows (a sweep's chunk).
constexpr std::string_view FaultName(Fault fault) {
    switch (fault) {
        case Fault::UnknownLineCode:
            return "unknown line code at the transmitter";
        case Fault::UnknownMapping:
            return "unknown level mapping at the transmitter";
        case Fault::UnknownDemodulation:
            return "unknown level mapping at the receiver";
        case Fault::UnknownThresholdPattern:
            return "thresholds of no known pattern";
        case Fault::TransformLength:
            return "transform length not a power of two";
    }
    return "unknown fault";
}

class Reporter {
  public:
    virtual ~Reporter() = default;
    virtual void Report(Fault fault) = 0;
};

}  // namespace linelab
