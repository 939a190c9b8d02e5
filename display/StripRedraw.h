#pragma once
// Redrawing every switched-on strip from the stored run, as the strip sliders ask for.

#include <functional>

#include "common/RunState.h"
#include "display/Canvas.h"
#include "ports/Panels.h"

namespace linelab {

// The strip check boxes (value 1 = true), in the order the strips are visited.
struct StripSwitches {
    bool chkData = false;
    bool chkPreData = false;
    bool chkCodedData = false;
    bool chkModData = false;
    bool chkDemodData = false;
    bool chkDecodedData = false;
    bool chkPostData = false;
    bool chkRxData = false;
};

// The panel a strip is drawn in.
using StripCanvases = std::function<Canvas&(StripPanel)>;

// Draws each checked strip with plotData from the arrays of the last run. txPam4 and rxPam4
// say whether the transmit (cmbMod(0)) and receive (cmbMod(1)) formats are "4-PAM".
void RedrawStrips(const RunState& s, const StripSwitches& switches, bool txPam4, bool rxPam4,
                  int zoom, const StripCanvases& canvasOf);

}  // namespace linelab
