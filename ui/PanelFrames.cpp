#include "ui/PanelFrames.h"

#include <array>
#include <cctype>

#include "ui/Form1.h"

namespace linelab {
namespace {

constexpr std::array<std::string_view, 8> kStripNames = {
    "Data",    "Pre-coded",    "Coded",        "Sent levels", "Received levels",
    "Decoded", "Post-decoded", "Received data"};
constexpr std::array<std::string_view, 3> kStages = {"Transmitter", "Channel", "Receiver"};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string_view StageName(int side) {
    return side >= 0 && side < 3 ? kStages[static_cast<std::size_t>(side)] : std::string_view();
}

std::string_view StripTitle(PictureId strip) {
    const auto i = static_cast<std::size_t>(strip);
    return i < kStripNames.size() ? kStripNames[i] : std::string_view();
}

std::string SwitchText(CheckId id) {
    const int i = static_cast<int>(id);
    if (i < static_cast<int>(kStripNames.size()))
        return "Show the " + Lower(kStripNames[static_cast<std::size_t>(i)]) + " strip";
    if (id >= CheckId::chkTxEye && id <= CheckId::chkRxEye)
        return "Show the " + Lower(StageName(i - static_cast<int>(CheckId::chkTxEye))) + " eye";
    if (id >= CheckId::chkTxSpectrum && id <= CheckId::chkRxSpectrum)
        return "Show the " + Lower(StageName(i - static_cast<int>(CheckId::chkTxSpectrum))) +
               " spectrum";
    return {};
}

PanelFrame PanelFrameOf(const Form1& form, PictureId id) {
    PanelFrame frame;
    const int i = static_cast<int>(id);
    const CheckControl& linear = form.Check(CheckId::chkLinear);
    const bool isLinear = linear.visible && linear.value == 1;
    if (id >= PictureId::picTxEye && id <= PictureId::picRxEye) {
        frame.title = std::string(StageName(i - static_cast<int>(PictureId::picTxEye))) + " eye";
    } else if (id >= PictureId::picTxSpectrum && id <= PictureId::picRxSpectrum) {
        frame.title = std::string(StageName(i - static_cast<int>(PictureId::picTxSpectrum))) +
                      (isLinear ? " spectrum, linear" : " spectrum, dB");
    } else {
        frame.sideLabel = std::string(StripTitle(id));
    }
    // Each panel's check box has the panel's own position among the check boxes.
    if (form.Check(static_cast<CheckId>(i)).value == 0) frame.offHint = std::string(kOffHintText);
    return frame;
}

}  // namespace linelab
