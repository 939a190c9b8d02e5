// The strips as the window shows them: every strip a run draws is recorded, so moving a
// strip slider or resizing a panel shows the run's own picture again, from the part of the
// run the scroll slider selects.

#include "ui/Form1.h"

namespace linelab {

double Form1::StripStart() const {
    const SliderControl& scroll = Slider(SliderId::hscDataScroll);
    return ScrollStart(scroll.value - scroll.min, scroll.max - scroll.min,
                       Slider(SliderId::hscDataZoom).value, strips_.runSpan);
}

void Form1::DrawStrip(StripPanel panel, int16_t iDutyCycle, int16_t iBaud,
                      std::span<const int16_t> data, std::span<const int16_t> compareData,
                      int32_t colour, int16_t iMin, int16_t iMax) {
    StripShot& shot = strips_.Of(panel);
    RecordStrip(shot, iDutyCycle, iBaud, data, compareData, colour, iMin, iMax);
    DrawShot(shot, CanvasOf(static_cast<PictureId>(panel)), Slider(SliderId::hscDataZoom).value,
             StripStart());
}

void Form1::RedrawStrips() {
    const auto on = [this](CheckId id) { return Check(id).value == 1; };
    const StripSwitches switches{on(CheckId::chkData),      on(CheckId::chkPreData),
                                 on(CheckId::chkCodedData), on(CheckId::chkModData),
                                 on(CheckId::chkDemodData), on(CheckId::chkDecodedData),
                                 on(CheckId::chkPostData),  on(CheckId::chkRxData)};
    const auto canvasOf = [this](StripPanel panel) -> Canvas& {
        return CanvasOf(static_cast<PictureId>(panel));
    };
    linelab::RedrawStrips(strips_, switches, Slider(SliderId::hscDataZoom).value, StripStart(),
                          canvasOf);
}

}  // namespace linelab
