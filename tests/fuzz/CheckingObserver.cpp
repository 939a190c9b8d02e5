#include "tests/fuzz/CheckingObserver.h"

#include <algorithm>
#include <array>

namespace linelab::fuzz {
namespace {

struct KnownMessage {
    std::string_view text;
    bool stopsTimer;
};

constexpr std::array<KnownMessage, 5> kMessages = {{
    {"Unknown Modulation Type", true},
    {"Unknown cmbMod(0) Option", true},
    {"Unknown modulation scheme in demodulating", true},
    {"Unknown Modulation Format for Thresholds", false},
    {"This FFT only does powers of two.", false},
}};

// Keeps the memory of a long run bounded; the first messages tell the story.
constexpr std::size_t kKeptMessages = 64;

}  // namespace

void CheckingObserver::ControlChanged(ControlRef control, std::string_view name) {
    if (name != NameOf(control))
        Record("change of control " + std::string(NameOf(control)) + " reported as \"" +
               std::string(name) + "\"");
}

void CheckingObserver::TimerChanged(const TimerControl& timer) {
    const TimerControl& now = form_.Timer();
    if (timer.enabled != now.enabled || timer.interval != now.interval)
        Record("TimerChanged told a timer that differs from the model's");
    timer_ = timer;
}

void CheckingObserver::Report(std::string_view message, bool stopsTimer) {
    if (messages_.size() < kKeptMessages) messages_.emplace_back(message);
    const auto known = std::find_if(kMessages.begin(), kMessages.end(),
                                    [&](const KnownMessage& m) { return m.text == message; });
    if (known == kMessages.end()) {
        Record("unknown message \"" + std::string(message) + "\"");
        return;
    }
    if (known->stopsTimer != stopsTimer)
        Record("message \"" + std::string(message) + "\" came with the wrong stop flag");
    if (stopsTimer && (form_.Timer().enabled || timer_.enabled))
        Record("message \"" + std::string(message) +
               "\" arrived while the timer was still enabled");
}

void CheckingObserver::Record(std::string what) {
    if (fault_.empty()) fault_ = std::move(what);
}

}  // namespace linelab::fuzz
