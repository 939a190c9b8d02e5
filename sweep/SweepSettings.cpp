#include "sweep/SweepSettings.h"

#include "analysis/IdealBer.h"
#include "analysis/SignalToNoise.h"
#include "common/Tables.h"
#include "common/TextNumber.h"

namespace linelab {

Settings ChunkSettings(Settings s, double noiseLevel) {
    s.chkData = s.chkPreData = s.chkCodedData = s.chkModData = false;
    s.chkDemodData = s.chkDecodedData = s.chkPostData = s.chkRxData = false;
    s.chkTxEye = s.chkChannelEye = s.chkRxEye = false;
    s.chkTxSpectrum = s.chkChannelSpectrum = s.chkRxSpectrum = false;
    s.noiseVisible = true;
    s.cmbNoise = NumberText(noiseLevel);
    return s;
}

std::vector<SweepPoint> SweepPointsFor(const SweepSettings& settings,
                                       const std::vector<double>& ebN0dB) {
    const std::string& code = settings.settings.cmbCode[0];
    const std::string& format = settings.settings.cmbMod[0];
    const double rate = SymbolRate(code, format);
    const double symbolsPerBit = SymbolsPerDataBit(code, format);
    std::vector<SweepPoint> points;
    for (double dB : ebN0dB)
        points.push_back({dB, NoiseLevelForEbN0(dB, rate, symbolsPerBit)});
    return points;
}

double TheoryFor(const SweepSettings& settings, double ebN0dB) {
    const Settings& s = settings.settings;
    return IdealBerAtDb(s.cmbMod[0], s.cmbCode[0], s.cmbPreCode[0], ebN0dB);
}

std::string CurveLabel(const SweepSettings& settings) {
    const Settings& s = settings.settings;
    return s.cmbMod[0] + ", " + s.cmbCode[0] + ", " + settings.filters.side[0].filter + " / " +
           settings.filters.side[1].filter;
}

}  // namespace linelab
