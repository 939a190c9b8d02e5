// View > Zoom In / Zoom Out / Actual Size: back at actual size the window fits as it did
// whatever steps came before, and a step in grows the controls' own parts (check boxes,
// list arrows, sliders) and the BER Curve window with the text. Also run on a real X server
// (ctest label xvfb).

#include <QCheckBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionComboBox>

#include "WindowFixture.h"
#include "app/qt/BerCurveWindow.h"

namespace linelab {
namespace {


class ZoomTest : public WindowFixture {
  protected:
    // '+' Zoom In, '-' Zoom Out, '0' Actual Size.
    void Steps(const std::string& keys) {
        for (char key : keys) {
            if (key == '+') Window().ZoomIn();
            if (key == '-') Window().ZoomOut();
            if (key == '0') Window().ZoomActual();
            Settle();
        }
    }
    QScrollArea* Scroll() { return Window().findChild<QScrollArea*>(); }
};

class ActualSizeTest : public ZoomTest, public ::testing::WithParamInterface<const char*> {};

// Full Channel fits the window at actual size without scrolling: so it must after any
// steps that end there.
TEST_P(ActualSizeTest, FitsTheWindowAsAtStart) {
    PickScene(kFullChannel);
    Ticks(1);
    ASSERT_EQ(Scroll()->horizontalScrollBar()->maximum(), 0);
    ASSERT_EQ(Scroll()->verticalScrollBar()->maximum(), 0);
    Steps(GetParam());
    EXPECT_EQ(Scroll()->horizontalScrollBar()->maximum(), 0) << GetParam();
    EXPECT_EQ(Scroll()->verticalScrollBar()->maximum(), 0) << GetParam();
}
INSTANTIATE_TEST_SUITE_P(Steps, ActualSizeTest,
                         ::testing::Values("+++++++0---0", "---0", "--0", "+0", "+-", "+++0+-0",
                                           "---++"));

// A size each control kind takes from the style, in pixels.
struct PartCase {
    const char* name;
    int (*size)(const ControlWidgets&);
};

int CheckIndicator(const ControlWidgets& w) {
    QCheckBox* box = w.Check(CheckId::chkTxEye);
    return box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
}
int ListArrow(const ControlWidgets& w) {
    QComboBox* list = w.List(ListId::cmbNoise);
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.rect = QRect(QPoint(0, 0), list->size());
    return list->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, list)
        .width();
}
int SliderThickness(const ControlWidgets& w) {
    return w.Slider(SliderId::vscThreshold)->sizeHint().width();
}
int CheckBoxHeight(const ControlWidgets& w) {
    return w.Check(CheckId::chkTxEye)->sizeHint().height();
}

class ControlPartsTest : public ZoomTest, public ::testing::WithParamInterface<PartCase> {};

// Twice the text at the largest zoom: each part at least 1.8 times its size.
TEST_P(ControlPartsTest, GrowWithTheText) {
    PickScene(kFullChannel);
    const int actual = GetParam().size(W());
    Steps("++++++");
    ASSERT_DOUBLE_EQ(Window().Zoom(), 2.0);
    EXPECT_GE(GetParam().size(W()), actual * 9 / 5) << GetParam().name << " from " << actual;
    Steps("0");
    EXPECT_EQ(GetParam().size(W()), actual) << GetParam().name;
}
INSTANTIATE_TEST_SUITE_P(Parts, ControlPartsTest,
                         ::testing::Values(PartCase{"check box", CheckIndicator},
                                           PartCase{"list arrow", ListArrow},
                                           PartCase{"slider", SliderThickness},
                                           PartCase{"check box row", CheckBoxHeight}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// The BER Curve window follows the zoom, whether open before the step or opened after it.
TEST_F(ZoomTest, TheBerCurveWindowFollows) {
    Window().ShowBerCurve();
    Settle();
    const qreal actual = Window().BerCurve()->font().pointSizeF();
    Steps("++++");
    EXPECT_NEAR(Window().BerCurve()->font().pointSizeF(), actual * Window().Zoom(), 0.01);
    Window().BerCurve()->close();
    Steps("-");
    Window().ShowBerCurve();
    EXPECT_NEAR(Window().BerCurve()->font().pointSizeF(), actual * Window().Zoom(), 0.01);
    Steps("0");
    EXPECT_NEAR(Window().BerCurve()->font().pointSizeF(), actual, 0.01);
}

}  // namespace
}  // namespace linelab
