#include "display/DrawFrame.h"

#include "common/Colours.h"
#include "common/TextNumber.h"

namespace linelab {
namespace {

// The receive eye is drawn at a fixed scale, with its thresholds and sampling instant.
constexpr double kRxEyeScale = kSqrt2;

int16_t LevelScale(int16_t iCodeBaud, bool pam4) {
    return pam4 ? CInt(iCodeBaud / 2.0) : iCodeBaud;
}

// A bit strip: drawn in blue, red where it differs from the array it is checked against.
void DrawBits(Panels& panels, StripPanel panel, int16_t iBaud, std::span<const int16_t> data,
              std::span<const int16_t> compare) {
    panels.DrawStrip(panel, 16, iBaud, data, compare, kBlue, 0, 1);
}

// A strip of levels, checked against the transmitted levels.
void DrawLevels(const Frame& f, Panels& panels, StripPanel panel, std::span<const int16_t> data,
                bool pam4, int16_t iCodeBaud) {
    const RunState& s = f.Run();
    const int16_t range = pam4 ? 3 : 1;
    panels.DrawStrip(panel, s.iTxDutyCycle, LevelScale(iCodeBaud, pam4), data, s.iModData, kBlue,
                     static_cast<int16_t>(-range), range);
}

void DrawTransmitStrips(const Frame& f, Panels& panels) {
    const RunState& s = f.Run();
    if (f.fed[PanelId::Data]) DrawBits(panels, StripPanel::Data, 12, s.iData, s.iData);
    if (f.fed[PanelId::PreData]) DrawBits(panels, StripPanel::PreData, 12, s.iPreData, s.iPreData);
    if (f.fed[PanelId::CodedData]) {
        DrawBits(panels, StripPanel::CodedData, f.iTxCodeBaud, s.iCodedData, s.iCodedData);
    }
    if (f.fed[PanelId::ModData]) {
        DrawLevels(f, panels, StripPanel::ModData, s.iModData, f.txPam4, f.iTxCodeBaud);
    }
}

void DrawReceiveStrips(const Frame& f, Panels& panels) {
    const RunState& s = f.Run();
    if (f.fed[PanelId::DemodData]) {
        DrawLevels(f, panels, StripPanel::DemodData, s.iDemodData, f.rxPam4, f.iRxCodeBaud);
    }
    if (f.fed[PanelId::DecodedData]) {
        DrawBits(panels, StripPanel::DecodedData, f.iRxCodeBaud, s.iDecodedData, s.iCodedData);
    }
    if (f.fed[PanelId::PostData]) {
        DrawBits(panels, StripPanel::PostData, 12, s.iPostData, s.iPreData);
    }
    if (f.fed[PanelId::RxData]) DrawBits(panels, StripPanel::RxData, 12, s.iRxData, s.iData);
}

// An eye, then the spectrum of the same stage.
void DrawStage(const Frame& f, const FrameViews& views, Panels& panels, EyePanel eye,
               SpectrumPanel spectrum) {
    if (const EyeTrace trace = EyeTraceOf(f, views, eye); trace.fed) {
        panels.DrawEye(eye, *trace.timeData, trace.scale, f.dThresholds, trace.markers);
    }
    if (f.fed[PanelOf(spectrum)]) {
        panels.DrawSpectrum(spectrum, views.Average(spectrum), views.StoredMemory(), kBlack);
    }
}

void DrawEyesAndSpectra(const Frame& f, const FrameViews& views, Panels& panels) {
    DrawStage(f, views, panels, EyePanel::Tx, SpectrumPanel::Tx);
    DrawStage(f, views, panels, EyePanel::Channel, SpectrumPanel::Channel);
    DrawStage(f, views, panels, EyePanel::Rx, SpectrumPanel::Rx);
}

}  // namespace

void DrawFrame(const Frame& frame, const FrameViews& views, Panels& panels) {
    if (frame.run == nullptr) return;
    // In the order of the chain, as a run feeds them.
    DrawTransmitStrips(frame, panels);
    DrawEyesAndSpectra(frame, views, panels);
    DrawReceiveStrips(frame, panels);
}

EyeTrace EyeTraceOf(const Frame& f, const FrameViews& views, EyePanel eye) {
    switch (eye) {
        case EyePanel::Tx:
            return {&views.stages.TxTimeData(), views.dTxEyeScale, false, f.fed[PanelId::TxEye]};
        case EyePanel::Channel:
            return {&views.stages.ChannelTimeData(), views.dTxEyeScale, false,
                    f.fed[PanelId::ChannelEye]};
        case EyePanel::Rx:
            break;
    }
    return {&f.Run().dRxTimeData, kRxEyeScale, true, f.fed[PanelId::RxEye]};
}

std::vector<Segment> EyeMarkersOf(EyePanel eye, const Thresholds& thresholds, const EyeView& view,
                                  int width, int height) {
    if (eye != EyePanel::Rx) return {};
    return EyeMarkerLines(view, kRxEyeScale, thresholds, width, height);
}

}  // namespace linelab
