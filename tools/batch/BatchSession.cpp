#include "tools/batch/BatchSession.h"

#include <array>

#include "tools/batch/ApplyAssignment.h"
#include "tools/batch/WriteDump.h"

namespace linelab {

BatchSession::BatchSession(std::ostream& messages) : messages_(messages) {
    form_.SetObserver(this);
}

BatchSession::~BatchSession() {
    measurements_.reset();  // gives the form its own canvases back
    form_.SetObserver(nullptr);
}

void BatchSession::Measure() {
    if (measurements_) return;
    // The taps sit between the form and its own (drawing-free) canvases, so clearing a
    // panel clears what is measured from it, exactly as in the window.
    std::array<Canvas*, CountOf<PictureId>()> panels{};
    for (std::size_t i = 0; i < panels.size(); ++i)
        panels[i] = &form_.CanvasOf(static_cast<PictureId>(i));
    measurements_ = std::make_unique<Measurements>(form_);
    measurements_->Attach(panels);
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
        if (measurements_) {
            measurements_->Tick();
        } else {
            form_.Timer1_Timer();
        }
        ++done;
    }
    return done;
}

std::string BatchSession::Output(const BatchOptions& options) const {
    if (options.dump) return WriteDump(form_, options.dumpNames, measurements_.get());
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
