#pragma once
// The settings a tick reads, as one record: the texts of the lists, the check box values,
// the slider values and the visibility that decides whether a setting applies.

#include <array>
#include <string>

namespace linelab {

struct Settings {
    std::string cmbData;
    std::array<std::string, 2> cmbPreCode;  // 0 transmitter, 1 receiver
    std::array<std::string, 2> cmbCode;
    std::array<std::string, 2> cmbMod;
    std::array<std::string, 2> cmbTxModPC;
    std::string cmbNoise;
    std::string cmbMultipathDelay;
    std::string cmbMultipathMag;

    bool noiseVisible = false;   // cmbNoise visible: noise applies only then
    bool invertVisible = false;  // chkInvert visible: inversion applies only then
    bool chkInvert = false;

    // Panel switches (check box value 1).
    bool chkData = false, chkPreData = false, chkCodedData = false, chkModData = false;
    bool chkDemodData = false, chkDecodedData = false, chkPostData = false, chkRxData = false;
    bool chkTxEye = false, chkChannelEye = false, chkRxEye = false;
    bool chkTxSpectrum = false, chkChannelSpectrum = false, chkRxSpectrum = false;

    // The memory box decides whether the spectrum average is stored as the memory trace.
    bool memoryVisible = false;  // chkMemory visible
    bool chkMemory = false;

    int hscSample = 0;      // sampling offset in half-samples, -32..32
    int vscTxEyeScale = 0;  // 0..100
};

}  // namespace linelab
