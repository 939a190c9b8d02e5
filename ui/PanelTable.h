#pragma once
// Every picture panel described once: the simulation's name for it, its check box, its
// picture, and the texts a front end shows for the two. The form model reads the shown set
// through this table; the window takes its tooltips from it.

#include <array>
#include <optional>
#include <string_view>

#include "common/LinkConfig.h"
#include "ui/Controls.h"

namespace linelab {

struct PanelDescriptor {
    PanelId panel;
    CheckId check;
    PictureId picture;
    std::string_view checkTip;    // what the check box does
    std::string_view pictureTip;  // what the picture shows
};

inline constexpr std::array<PanelDescriptor, kPanelCount> kPanelTable = {{
    {PanelId::Data, CheckId::chkData, PictureId::picData, "Show or grey the data strip",
     "Data bits of the last run"},
    {PanelId::PreData, CheckId::chkPreData, PictureId::picPreData,
     "Show or grey the pre-coded strip", "Bits after pre-coding"},
    {PanelId::CodedData, CheckId::chkCodedData, PictureId::picCodedData,
     "Show or grey the line-coded strip", "Bits after line coding"},
    {PanelId::ModData, CheckId::chkModData, PictureId::picModData,
     "Show or grey the transmitted levels strip", "Transmitted line levels"},
    {PanelId::DemodData, CheckId::chkDemodData, PictureId::picDemodData,
     "Show or grey the received levels strip",
     "Received line levels as decided (red: different from sent)"},
    {PanelId::DecodedData, CheckId::chkDecodedData, PictureId::picDecodedData,
     "Show or grey the received code bits strip", "Received code bits (red: different from sent)"},
    {PanelId::PostData, CheckId::chkPostData, PictureId::picPostData,
     "Show or grey the line-decoded strip", "Bits after line decoding (red: different from sent)"},
    {PanelId::RxData, CheckId::chkRxData, PictureId::picRxData,
     "Show or grey the received data strip (errors in red)", "Received data bits (red: errors)"},
    {PanelId::TxEye, CheckId::chkTxEye, PictureId::picTxEye,
     "Add runs to the transmit eye, or freeze it",
     "Transmit eye, building up over runs; click to clear it"},
    {PanelId::ChannelEye, CheckId::chkChannelEye, PictureId::picChannelEye,
     "Add runs to the channel eye, or freeze it",
     "Eye at the channel output, building up over runs; click to clear it"},
    {PanelId::RxEye, CheckId::chkRxEye, PictureId::picRxEye,
     "Add runs to the receive eye, or freeze it",
     "Receive eye with the thresholds and sampling instant in green; click to clear it"},
    {PanelId::TxSpectrum, CheckId::chkTxSpectrum, PictureId::picTxSpectrum,
     "Average runs into the transmit spectrum, or freeze it",
     "Transmit power spectrum, 0 to 4 kHz, averaged; click to restart"},
    {PanelId::ChannelSpectrum, CheckId::chkChannelSpectrum, PictureId::picChannelSpectrum,
     "Average runs into the channel spectrum, or freeze it",
     "Channel output power spectrum, 0 to 4 kHz; click to restart"},
    {PanelId::RxSpectrum, CheckId::chkRxSpectrum, PictureId::picRxSpectrum,
     "Average runs into the receive spectrum, or freeze it",
     "Receive filter output power spectrum, 0 to 4 kHz; click to restart"},
}};

inline const PanelDescriptor& Describe(PanelId panel) {
    return kPanelTable[static_cast<std::size_t>(panel)];
}

// The descriptor whose check box or picture this control is, if any.
inline const PanelDescriptor* DescriptorOf(ControlRef control) {
    for (const PanelDescriptor& d : kPanelTable) {
        if (control == ControlRef(d.check) || control == ControlRef(d.picture)) return &d;
    }
    return nullptr;
}

}  // namespace linelab
