#include "tools/batch/BatchSession.h"

#include "tools/batch/ApplyAssignment.h"
#include "tools/batch/WriteDump.h"

namespace linelab {

BatchSession::BatchSession(std::ostream& messages) : messages_(messages) {
    form_.SetObserver(this);
}

BatchSession::~BatchSession() {
    form_.SetObserver(nullptr);
}

std::optional<std::string> BatchSession::Apply(std::span<const Assignment> assignments) {
    for (const Assignment& assignment : assignments) {
        if (auto refusal = ApplyAssignment(form_, assignment)) return refusal;
    }
    return std::nullopt;
}

uint64_t BatchSession::Run(uint64_t runs) {
    uint64_t done = 0;
    while (done < runs && !TimerStopped()) {
        form_.Timer1_Timer();
        ++done;
    }
    return done;
}

std::string BatchSession::Output(const BatchOptions& options) const {
    if (options.dump) return WriteDump(form_, options.dumpNames);
    return form_.Label(LabelId::lblBER).caption + "\n";
}

// Each message is one line whatever it holds.
void BatchSession::Report(std::string_view message, bool stopsTimer) {
    (void)stopsTimer;  // the model has already disabled the timer; Run sees it
    std::string line = "message: ";
    for (char c : message)
        line += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? ' ' : c;
    messages_ << line << '\n' << std::flush;
}

}  // namespace linelab
