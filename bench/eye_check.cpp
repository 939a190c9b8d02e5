// The receive eye's predicted bit error rate against the measured one, at 10 dB Eb/N0 with
// Root RC / Matched filters in the Noise scene: every mapping, and the line codes and
// pre-coding whose wrong decisions cost more than one bit, under both noise choices. Runs
// the window's own model and measurements (minutes, so not a unit test; `make bench` builds
// it, run it by hand).
// Usage: linelab_eye_check [runs [format]]   (the most runs a setting gets, default 400000,
// each stopping sooner at 2,000 errors; only the settings of that mapping). Exit status 1 when a
// ratio with 400 errors or more lies outside 0.85 to 1.15.

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/SignalToNoise.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"
#include "ui/Measurements.h"

namespace linelab {
namespace {

struct Setting {
    const char* format;
    const char* code;
    const char* preCode;
};

constexpr std::array<Setting, 14> kSettings = {{
    {"Unipolar (N)RZ", "None", "None"},
    {"Unipolar (N)RZI", "None", "None"},
    {"Polar (N)RZ", "None", "None"},
    {"Polar (N)RZI", "None", "None"},
    {"AMI", "None", "None"},
    {"MLT3", "None", "None"},
    {"HDB3", "None", "None"},
    {"4-PAM", "None", "None"},
    {"Unipolar (N)RZ", "Differential", "None"},
    {"Unipolar (N)RZ", "Manchester", "None"},
    {"Unipolar (N)RZ", "Diff. Manchester", "None"},
    {"Unipolar (N)RZ", "4B5B", "None"},
    {"Unipolar (N)RZ", "4B5B + NRZI", "None"},
    {"AMI", "None", "Differential"},
}};

double EbN0dB(Form1& form) {
    const auto ratio = SignalToNoiseOf(LinkConfigOf(form));
    return ratio ? ratio->dEbN0dB : std::nan("");
}

// Returns whether the ratio is acceptable.
bool Check(const Setting& setting, bool fixed, long maxRuns) {
    Form1 form;
    std::array<Canvas*, CountOf<PictureId>()> panels{};
    for (std::size_t i = 0; i < panels.size(); ++i)
        panels[i] = &form.CanvasOf(static_cast<PictureId>(i));
    Measurements measures(form);
    measures.Attach(panels);
    form.SetText("cmbScene", "Noise");
    form.SetText("cmbMod(0)", setting.format);
    form.SetText("cmbCode(0)", setting.code);
    form.SetText("cmbPreCode(0)", setting.preCode);
    form.SetText("cmbTxFilter(0)", "Root RC");
    form.SetText("cmbTxFilter(1)", "Matched");
    form.SetValue("chkFixedNoise", fixed ? 1 : 0);
    form.SetText("cmbNoise", "0.1");
    // Eb/N0 falls by 1 dB for every 1 dB the level rises.
    char level[32];
    std::snprintf(level, sizeof level, "%.6g", 0.1 * std::pow(10.0, (EbN0dB(form) - 10) / 10));
    form.SetText("cmbNoise", level);
    long runs = 0;
    while (runs < maxRuns && measures.Counts().Errors() < 2000) {
        measures.Tick();
        ++runs;
    }
    const BerCounts& counts = measures.Counts();
    const double measured =
        static_cast<double>(counts.Errors()) / static_cast<double>(counts.Bits());
    const double predicted = measures.RxEyeFigures().dPredictedBer;
    const double ratio = predicted / measured;
    const bool enough = counts.Errors() >= 400;
    const bool ok = !enough || (ratio > 0.85 && ratio < 1.15);
    std::printf(
        "%-16s %-17s %-12s %-7s Eb/N0 %5.2f dB  measured %.3e  predicted %.3e  "
        "ratio %.3f  (+-%.0f %%, %llu errors)%s\n",
        setting.format, setting.code, setting.preCode, fixed ? "fixed" : "per-run", EbN0dB(form),
        measured, predicted, ratio,
        196 / std::sqrt(std::max(1.0, static_cast<double>(counts.Errors()))),
        static_cast<unsigned long long>(counts.Errors()), ok ? "" : "  OUTSIDE 15 %");
    std::fflush(stdout);
    return ok;
}

}  // namespace
}  // namespace linelab

int main(int argc, char* argv[]) {
    const long runs = argc > 1 ? std::atol(argv[1]) : 400000;
    const std::string only = argc > 2 ? argv[2] : "";
    bool ok = true;
    for (bool fixed : {true, false}) {
        for (const linelab::Setting& setting : linelab::kSettings) {
            if (!only.empty() && only != setting.format) continue;
            ok = linelab::Check(setting, fixed, runs > 0 ? runs : 400000) && ok;
        }
    }
    return ok ? 0 : 1;
}
