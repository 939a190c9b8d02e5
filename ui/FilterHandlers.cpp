// Change handlers of the filter and channel boxes: the receiver follows the transmitter,
// the parameter box fits the filter type, the filter types fit the pulse width, and every
// change marks the responses stale and restarts the displays of its side.

#include "common/TextNumber.h"
#include "ui/Form1.h"
#include "ui/ListItems.h"

namespace linelab {

void Form1::cmbTxFilter_Change(int index) {
    if (index == 0 && Label(LabelId::lblRxFilter).visible)
        Assign(ListId::cmbTxFilter1, std::string(List(ListId::cmbTxFilter0).text));
    ShowFilterParameterBox(index);
    engine_.InvalidateResponses();
    RestartPics(index);
}

// cmbTxBW and cmbTxEB share one place; lblPCkHz names the unit of the one shown. A box
// appears only beside a visible filter list, so a cascade in a scene that hides the list
// never puts a lone parameter box on the window.
void Form1::ShowFilterParameterBox(int index) {
    const ListControl& filter = List(Element(ListId::cmbTxFilter0, index));
    const ListId bw = Element(ListId::cmbTxBW0, index);
    const ListId eb = Element(ListId::cmbTxEB0, index);
    const LabelId unit = Element(LabelId::lblPCkHz0, index);
    const bool listShown = filter.visible;
    if (filter.text == kRc || filter.text == kRootRc) {
        if (listShown) Show(eb, true);
        Show(bw, false);
        SetCaption(unit, "EB");
        if (listShown) Show(unit, true);
    } else if (filter.text == "SteepCutoff" || filter.text == "SinglePole") {
        if (listShown) Show(bw, true);
        Show(eb, false);
        SetCaption(unit, "kHz");
        if (listShown) Show(unit, true);
    } else {
        Show(unit, false);
        Show(bw, false);
        Show(eb, false);
    }
}

void Form1::cmbTxModPC_Change(int index) {
    const ListId filter = Element(ListId::cmbTxFilter0, index);
    const std::string remembered = List(filter).text;
    if (index == 0) Assign(ListId::cmbTxModPC1, std::string(List(ListId::cmbTxModPC0).text));
    const bool fullWidth = Val(List(Element(ListId::cmbTxModPC0, index)).text) >= 100;
    Fill(filter, FilterItems(index, fullWidth));
    const bool raisedCosine = remembered == kRc || remembered == kRootRc;
    // Choosing the type again is a change of the filter list and runs its handling. (A list
    // that had no choice yet stays empty, as the refill left it.)
    Assign(filter, !fullWidth && raisedCosine ? std::string("None") : remembered);
    engine_.InvalidateResponses();
    RestartPics(index);
}

void Form1::cmbTxBW_Change(int index) {
    if (index == 0) Assign(ListId::cmbTxBW1, std::string(List(ListId::cmbTxBW0).text));
    engine_.InvalidateResponses();
    RestartPics(index);
}

void Form1::cmbTxEB_Change(int index) {
    if (index == 0) Assign(ListId::cmbTxEB1, std::string(List(ListId::cmbTxEB0).text));
    engine_.InvalidateResponses();
    RestartPics(index);
}

// The echo is applied to the received waveform each run and needs no new responses.
void Form1::ChannelBox_Change(ListId id) {
    RestartPics(1);
    if (id != ListId::cmbMultipathDelay && id != ListId::cmbMultipathMag)
        engine_.InvalidateResponses();
}

}  // namespace linelab
