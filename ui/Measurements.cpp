#include "ui/Measurements.h"

#include "display/DrawFrame.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"
#include "ui/ListTexts.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

PictureId EyePicture(int eye) {
    return Describe(static_cast<EyePanel>(eye)).picture;
}

// Restores a flag however the block is left.
struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
};

}  // namespace

Measurements::Measurements(Form1& form, std::span<const Readout> readouts)
    : form_(form), readouts_(readouts) {
    for (const Readout& readout : readouts_)
        tallies_.push_back(readout.newTally != nullptr ? readout.newTally() : nullptr);
}

Measurements::~Measurements() {
    for (int i = 0; i < CountOf<PictureId>(); ++i) {
        if (taps_[static_cast<std::size_t>(i)])
            form_.AttachCanvas(static_cast<PictureId>(i), nullptr);
    }
}

void Measurements::Attach(std::span<Canvas* const> panels) {
    for (std::size_t i = 0; i < taps_.size() && i < panels.size(); ++i) {
        taps_[i] = panels[i] != nullptr ? std::make_unique<PanelTap>(*panels[i]) : nullptr;
        form_.AttachCanvas(static_cast<PictureId>(i), taps_[i].get());
    }
    // Whatever is measured from an eye's traces clears with the eye.
    for (int eye = 0; eye < kEyePanels; ++eye) {
        PanelTap* tap = Tap(EyePicture(eye));
        if (tap == nullptr) continue;
        tap->OnClear([this, eye] {
            densities_[static_cast<std::size_t>(eye)].Clear();
            if (static_cast<EyePanel>(eye) != EyePanel::Rx) return;
            eye_.Clear();
            eyeRuns_ = 0;
        });
    }
    SetDensity(density_);
}

void Measurements::SetDensity(bool on) {
    density_ = on;
    for (DensityEye& density : densities_)
        density.Clear();
    SizeDensities();
}

// A density cell is a pixel of its panel; a panel that changed size starts a new count, as
// its line image does.
void Measurements::SizeDensities() {
    if (!density_) return;
    for (int eye = 0; eye < kEyePanels; ++eye) {
        const Canvas& panel = form_.CanvasOf(EyePicture(eye));
        DensityEye& density = densities_[static_cast<std::size_t>(eye)];
        const int width = panel.ScaleWidth() / kUnitsPerPixel;
        const int height = panel.ScaleHeight() / kUnitsPerPixel;
        if (density.Width() != width || density.Height() != height) density.Resize(width, height);
    }
}

void Measurements::Tick(bool quiet) {
    // A message box opened inside a tick runs an event loop; a tick asked for there is
    // dropped, as the form drops it, and must not count the unfinished run.
    if (busy_) return;
    Busy busy(busy_);
    SizeDensities();
    for (auto& tap : taps_)
        if (tap) tap->SetQuiet(quiet);
    const Frame* frame = form_.TickFrame();
    for (auto& tap : taps_)
        if (tap) tap->SetQuiet(false);
    if (frame == nullptr) return;
    const RunState& s = frame->Run();
    counts_.AfterRun(*frame);
    for (auto& tally : tallies_)
        if (tally) tally->AfterRun(*frame);
    const EyeView view = EyeViewOf(form_.Controls(), s.dBaudRate);
    if (density_) CountTraces(*frame, view);
    // The opening is measured from the received waveform every run forms, whether or not
    // the receive eye shows it; it clears with the panel.
    rxSamplingX_ = EyeSamplingX(view, form_.CanvasOf(PictureId::picRxEye).ScaleWidth());
    eye_.AddRun(std::span<const double>(s.dRxTimeData).first(kSignalFloats), s.iModData,
                frame->samplingOffset);
    ++eyeRuns_;
}

// The density eyes count the traces of every run that fed their eye, drawn by the eye
// routine itself without the markers, whether or not the panel showed the run.
void Measurements::CountTraces(const Frame& frame, const EyeView& view) {
    for (int eye = 0; eye < kEyePanels; ++eye) {
        const EyeTrace trace = EyeTraceOf(frame, form_.Views(), static_cast<EyePanel>(eye));
        if (!trace.fed) continue;
        PlotEye(*trace.timeData, densities_[static_cast<std::size_t>(eye)], trace.scale,
                frame.dThresholds, false, view);
    }
}

std::vector<ReadoutText> Measurements::ReadReadouts(bool eyeOpening) const {
    std::vector<ReadoutText> texts;
    for (std::size_t i = 0; i < readouts_.size(); ++i) {
        texts.push_back(readouts_[i].read({form_, *this, tallies_[i].get(), eyeOpening}));
        if (!texts.back().shown) texts.back().text.clear();
    }
    return texts;
}

EyeFigures Measurements::RxEyeFigures() const {
    const auto found = FindFormat(form_.List(ListId::cmbMod1).text);
    const std::vector<double> thresholds = EyeGapThresholds(found, form_.State().dThresholds);
    const std::vector<double> weights = EyeGapWeights(found);
    EyeFigures figures = eye_.Figures(thresholds, weights);
    // Where both ends use the same chain the cost of a wrong decision after decoding is
    // known, and the prediction is of the data bits the rate counts.
    const auto same = [this](ListId tx, ListId rx) {
        return form_.List(tx).text == form_.List(rx).text;
    };
    const auto code = FindLineCode(form_.List(ListId::cmbCode1).text);
    const auto pre = FindPreCoding(form_.List(ListId::cmbPreCode1).text);
    if (figures.levels.size() >= 2 && found && code && pre &&
        same(ListId::cmbMod0, ListId::cmbMod1) && same(ListId::cmbCode0, ListId::cmbCode1) &&
        same(ListId::cmbPreCode0, ListId::cmbPreCode1))
        figures.dPredictedBer =
            PredictedDataBer(figures.levels, {*found, *code, *pre}, form_.State().dThresholds);
    return figures;
}

}  // namespace linelab
