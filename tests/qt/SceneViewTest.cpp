// Every scene as the user sees it: exactly the model's visible controls are shown, each in
// a place of its own, the eyes share one size, and a run draws every panel that is on.

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QPushButton>

#include "WindowFixture.h"
#include "app/qt/ChainArea.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

bool Holds(const QLayout* layout, const QWidget* widget) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget ||
            (item->layout() != nullptr && Holds(item->layout(), widget)))
            return true;
    }
    return false;
}

class SceneViewTest : public WindowFixture, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        PickScene(GetParam());
    }

    std::vector<std::pair<ControlRef, QWidget*>> ShownWidgets() {
        std::vector<std::pair<ControlRef, QWidget*>> shown;
        for (ControlRef control : AllControls()) {
            QWidget* widget = W().WidgetOf(control);
            if (widget != nullptr && widget->isVisibleTo(&Window()))
                shown.push_back({control, widget});
        }
        return shown;
    }
};

TEST_P(SceneViewTest, ShowsExactlyTheModelsVisibleControls) {
    ASSERT_EQ(Model().SceneIndex(), GetParam());
    int widgets = 0;
    for (ControlRef control : AllControls()) {
        QWidget* widget = W().WidgetOf(control);
        if (widget == nullptr) continue;
        ++widgets;
        EXPECT_EQ(widget->isVisibleTo(&Window()), Model().Visible(control)) << NameOf(control);
    }
    // Every list, check box, slider, label and panel has a widget; so do the pause button
    // and the logo. The other decorations are painted.
    EXPECT_EQ(widgets, CountOf<ListId>() + CountOf<CheckId>() + CountOf<SliderId>() +
                           CountOf<LabelId>() + CountOf<PictureId>() + 2);
}

TEST_P(SceneViewTest, EveryShownControlHasAPlaceOfItsOwn) {
    EXPECT_EQ(Window().size(), MainWindow::DefaultSize());  // nothing forced it to grow
    const auto shown = ShownWidgets();
    const QRect area = Window().Area().rect();
    for (const auto& [control, widget] : shown) {
        EXPECT_FALSE(widget->geometry().isEmpty()) << NameOf(control);
        EXPECT_TRUE(area.contains(widget->geometry())) << NameOf(control);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            EXPECT_FALSE(shown[i].second->geometry().intersects(shown[j].second->geometry()))
                << NameOf(shown[i].first) << " overlaps " << NameOf(shown[j].first);
        }
    }
}

// The layout walks the chain table: a shown control the table leaves out of a scene's
// layout would keep whatever place it last had.
TEST_P(SceneViewTest, EveryShownControlStandsInTheLayout) {
    const QLayout* layout = Window().Area().layout();
    ASSERT_NE(layout, nullptr);
    for (const auto& [control, widget] : ShownWidgets())
        EXPECT_TRUE(Holds(layout, widget)) << NameOf(control);
}

TEST_P(SceneViewTest, EyesAreScaledByOneSize) {
    const Canvas& tx = Model().CanvasOf(PictureId::picTxEye);
    EXPECT_GT(tx.ScaleWidth(), 0);
    for (PictureId eye : {PictureId::picChannelEye, PictureId::picRxEye}) {
        if (!Model().Picture(eye).visible) continue;
        const Canvas& other = Model().CanvasOf(eye);
        EXPECT_EQ(other.ScaleWidth(), tx.ScaleWidth()) << NameOf(eye);
        EXPECT_EQ(other.ScaleHeight(), tx.ScaleHeight()) << NameOf(eye);
    }
}

TEST_P(SceneViewTest, ARunDrawsEveryShownPanelThatIsOn) {
    Ticks(2);
    int drawn = 0;
    for (const PanelDescriptor& panel : kPanelTable) {
        const PictureId id = panel.picture;
        const bool on = Model().Check(panel.check).value == 1;
        if (!Model().Picture(id).visible || !on) continue;
        EXPECT_FALSE(Blank(id)) << NameOf(id);
        ++drawn;
    }
    EXPECT_GE(drawn, 1);
}

TEST_P(SceneViewTest, EveryShownControlTakesTabAndExplainsItself) {
    for (const auto& [control, widget] : ShownWidgets()) {
        const bool interactive = qobject_cast<QComboBox*>(widget) != nullptr ||
                                 qobject_cast<QCheckBox*>(widget) != nullptr ||
                                 qobject_cast<QAbstractSlider*>(widget) != nullptr ||
                                 qobject_cast<QPushButton*>(widget) != nullptr ||
                                 (control.kind == ControlKind::Picture &&
                                  control.index >= static_cast<int>(PictureId::picTxEye));
        if (!interactive) continue;
        EXPECT_TRUE(widget->focusPolicy() & Qt::TabFocus) << NameOf(control);
        EXPECT_FALSE(widget->toolTip().isEmpty()) << NameOf(control);
    }
}

INSTANTIATE_TEST_SUITE_P(AllScenes, SceneViewTest, ::testing::Range(0, kSceneCount));

}  // namespace
}  // namespace linelab
