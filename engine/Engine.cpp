#include "engine/Engine.h"

#include "common/Tables.h"
#include "common/TextNumber.h"
#include "receiver/Receiver.h"
#include "transmit/Transmit.h"

namespace linelab {
namespace {

void DrawBitStrip(Host& host, StripPanel panel, int16_t iBaud, const Bits& bits) {
    host.DrawStrip(panel, 16, iBaud, bits, bits, kBlue, 0, 1);
}

void DrawModulatedStrip(Host& host, const RunState& s, bool pam4) {
    if (pam4) {
        host.DrawStrip(StripPanel::ModData, s.iTxDutyCycle, CInt(s.iCodeBaud / 2.0), s.iModData,
                       s.iModData, kBlue, -3, 3);
    } else {
        host.DrawStrip(StripPanel::ModData, s.iTxDutyCycle, s.iCodeBaud, s.iModData, s.iModData,
                       kBlue, -1, 1);
    }
}

}  // namespace

Engine::Engine() : state_(std::make_unique<RunState>()) {}

void Engine::Tick(Host& host) {
    RunState& s = *state_;
    if (!s.bFiltersValid) {
        DesignFilters(host, s.dBaudRate, s.responses, &host);
        s.bFiltersValid = true;
    }
    // Read after the design pass: its write-backs may have changed texts and lists.
    host.ReadSettings(settings_);
    const Settings& st = settings_;

    GenerateData(FindDataSource(st.cmbData), s);
    if (st.chkData) DrawBitStrip(host, StripPanel::Data, 12, s.iData);

    PreCode(FindPreCoding(st.cmbPreCode[0]), s);
    if (st.chkPreData) DrawBitStrip(host, StripPanel::PreData, 12, s.iPreData);

    const auto format = FindFormat(st.cmbMod[0]);
    const bool pam4 = format == Format::Pam4;
    const auto code = FindLineCode(st.cmbCode[0]);
    LineCode(code, pam4, s);
    if (!code) host.Report("Unknown Modulation Type", true);
    if (st.chkCodedData) DrawBitStrip(host, StripPanel::CodedData, s.iCodeBaud, s.iCodedData);

    s.dScale = MapLevels(format, st.cmbTxModPC[0], s);
    if (!format) host.Report("Unknown cmbMod(0) Option", true);
    if (st.chkModData) DrawModulatedStrip(host, s, pam4);

    BuildPulseTrain(s, s.dScale, &host);
    ReceiveHalf(s, st, host);
}

void Engine::RestartCounters(int index) {
    RunState& s = *state_;
    if (index == 0) s.lTxSpectra = 0;
    if (index == 1) {
        s.lRxSpectra = 0;
        s.lChannelSpectra = 0;
    }
    s.lBERRuns = 0;
}

}  // namespace linelab
