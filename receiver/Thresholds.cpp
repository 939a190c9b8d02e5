// SetThresholds: rescales the decision thresholds from the slider, keeping the pattern of
// T0..T3 that tells the format class apart.

#include "common/Tables.h"
#include "receiver/Receiver.h"

namespace linelab {
namespace {

// Distance of the outer threshold from zero for slider position v: sqrt 2 at 0, 0 at 100.
double Distance(int v) {
    return (100.0 - v) * kSqrt2 / 100;
}

// With v at 100 the multi-threshold patterns would collapse to all zeros and be taken for a
// one-threshold format at the next call, so 99 is used, and the caller moves the slider there.
int KeepOffTop(int v) {
    return v == 100 ? 99 : v;
}

}  // namespace

int SetThresholds(RunState& state, int slider, Reporter& reporter) {
    Thresholds& t = state.dThresholds;
    int v = slider;
    if (t[0] == t[1]) {  // one threshold
        t[0] = Distance(v);
        t[1] = t[2] = t[3] = t[0];
    } else if (t[0] == t[2] && t[0] * t[1] < 0) {  // two thresholds of opposite sign
        v = KeepOffTop(v);
        t[0] = Distance(v);
        t[1] = -t[0];
        t[2] = t[3] = t[0];
    } else if (t[0] == t[3]) {  // three thresholds
        v = KeepOffTop(v);
        t[0] = Distance(v);
        t[1] = 0;
        t[2] = -t[0];
        t[3] = t[0];
    } else {
        reporter.Report(Fault::UnknownThresholdPattern);
        t[0] = Distance(v);
        t[1] = t[0] * 0.5;
        t[2] = t[0] * -0.5;
        t[3] = t[0] * -1;
    }
    return v;
}

}  // namespace linelab
