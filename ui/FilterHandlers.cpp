// Change handlers of the filter and channel boxes: the receiver follows the transmitter,
// the parameter box fits the filter type, the filter types fit the pulse width, and every
// change marks the responses stale and restarts the displays of its side.

#include "common/TextNumber.h"
#include "ui/Cascades.h"
#include "ui/ListItems.h"

namespace linelab {

void Cascades::cmbTxFilter_Change(int index) {
    if (index == 0 && controls_.Label(LabelId::lblRxFilter).visible)
        controls_.Assign(ListId::cmbTxFilter1,
                         std::string(controls_.List(ListId::cmbTxFilter0).text));
    ShowFilterParameterBox(index);
    engine().InvalidateResponses();
    RestartPics(index);
}

// cmbTxBW and cmbTxEB share one place; lblPCkHz names the unit of the one shown. A box
// appears only beside a visible filter list, so a cascade in a scene that hides the list
// never puts a lone parameter box on the window.
void Cascades::ShowFilterParameterBox(int index) {
    const ListControl& filter = controls_.List(Element(ListId::cmbTxFilter0, index));
    const ListId bw = Element(ListId::cmbTxBW0, index);
    const ListId eb = Element(ListId::cmbTxEB0, index);
    const LabelId unit = Element(LabelId::lblPCkHz0, index);
    const bool listShown = filter.visible;
    if (filter.text == kRc || filter.text == kRootRc) {
        if (listShown) controls_.Show(eb, true);
        controls_.Show(bw, false);
        controls_.SetCaption(unit, "EB");
        if (listShown) controls_.Show(unit, true);
    } else if (filter.text == Name(FilterType::SteepCutoff) ||
               filter.text == Name(FilterType::SinglePole)) {
        if (listShown) controls_.Show(bw, true);
        controls_.Show(eb, false);
        controls_.SetCaption(unit, "kHz");
        if (listShown) controls_.Show(unit, true);
    } else {
        controls_.Show(unit, false);
        controls_.Show(bw, false);
        controls_.Show(eb, false);
    }
}

void Cascades::cmbTxModPC_Change(int index) {
    const ListId filter = Element(ListId::cmbTxFilter0, index);
    const std::string remembered = controls_.List(filter).text;
    if (index == 0)
        controls_.Assign(ListId::cmbTxModPC1,
                         std::string(controls_.List(ListId::cmbTxModPC0).text));
    const bool fullWidth = Val(controls_.List(Element(ListId::cmbTxModPC0, index)).text) >= 100;
    controls_.Fill(filter, FilterItems(index, fullWidth));
    const bool raisedCosine = remembered == kRc || remembered == kRootRc;
    // Choosing the type again is a change of the filter list and runs its handling. (A list
    // that had no choice yet stays empty, as the refill left it.)
    controls_.Assign(filter, !fullWidth && raisedCosine ? std::string("None") : remembered);
    engine().InvalidateResponses();
    RestartPics(index);
}

void Cascades::cmbTxBW_Change(int index) {
    if (index == 0)
        controls_.Assign(ListId::cmbTxBW1, std::string(controls_.List(ListId::cmbTxBW0).text));
    engine().InvalidateResponses();
    RestartPics(index);
}

void Cascades::cmbTxEB_Change(int index) {
    if (index == 0)
        controls_.Assign(ListId::cmbTxEB1, std::string(controls_.List(ListId::cmbTxEB0).text));
    engine().InvalidateResponses();
    RestartPics(index);
}

// The echo is applied to the received waveform each run and needs no new responses.
void Cascades::ChannelBox_Change(ListId id) {
    RestartPics(1);
    if (id != ListId::cmbMultipathDelay && id != ListId::cmbMultipathMag)
        engine().InvalidateResponses();
}

}  // namespace linelab
