// The window as a desktop application: menus and shortcuts, the status bar, typed text that
// takes effect wherever the user clicks next, labelled panels, markers that stay on top and
// pictures that survive a resize while paused.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "WindowFixture.h"
#include "app/qt/HelpWindow.h"
#include "app/qt/MeasureView.h"
#include "app/qt/PanelFrames.h"
#include "app/qt/RunStatus.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

class DesktopTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    }
    QAction* Action(const char* name) {
        return Window().findChild<QAction*>(QString::fromLatin1(name));
    }
    void Type(ListId id, const char* text) {
        QLineEdit* edit = W().List(id)->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
};

TEST_F(DesktopTest, MenusCarryTheirShortcuts) {
    EXPECT_EQ(Action("FileQuit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(Action("HelpInstructions")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(Action("ViewZoomOut")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_EQ(Action("ViewActualSize")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_TRUE(Action("ViewZoomIn")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Plus)));
    EXPECT_EQ(Window().Menu(WindowMenu::File)->actions().last(), Window().QuitAction());
    EXPECT_FALSE(Window().windowIcon().isNull());
    // The Edit menu is in the menu bar exactly when something was put in it.
    QMenu* edit = Window().Menu(WindowMenu::Edit);
    EXPECT_EQ(edit->menuAction()->isVisible(), !edit->actions().isEmpty());
    edit->addAction(QStringLiteral("Copy"));
    EXPECT_TRUE(edit->menuAction()->isVisible());
}

TEST_F(DesktopTest, F1OpensInstructionsOverTheWindowAndEscClosesThem) {
    QTest::keyClick(&Window(), Qt::Key_F1);
    HelpWindow* help = Window().InstructionsWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->parentWidget(), &Window());
    EXPECT_LE(
        (help->frameGeometry().center() - Window().frameGeometry().center()).manhattanLength(), 2);
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    Action("HelpAbout")->trigger();
    EXPECT_TRUE(
        Window().AboutWindow()->Text().contains(QStringLiteral("Version " LINELAB_VERSION)));
}

TEST_F(DesktopTest, SpaceRunsTheButtonUnlessATextBoxHasTheFocus) {
    RunStatus& status = Window().Status();
    EXPECT_EQ(status.StateText(), QStringLiteral("Running"));
    Panel(PictureId::picData)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(W().pause->text(), QStringLiteral("Cont"));
    EXPECT_EQ(status.StateText(), QStringLiteral("Paused"));
    EXPECT_EQ(status.RateText(), QStringLiteral("0.0 runs/s"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(status.StateText(), QStringLiteral("Slow"));

    PickScene(kNoise);
    Type(ListId::cmbNoise, "0 4");
    EXPECT_EQ(W().List(ListId::cmbNoise)->currentText(), QStringLiteral("0 4"));
    EXPECT_EQ(W().pause->text(), QStringLiteral("Slow"));
    Ticks(3);
    EXPECT_EQ(status.RunsText(), QStringLiteral("BER over 3 runs"));
}

TEST_F(DesktopTest, ClickingAPanelAppliesTypedTextAndTheStatusSaysWhatItMeans) {
    PickScene(kNoise);
    Type(ListId::cmbNoise, "abc");
    ASSERT_EQ(Model().List(ListId::cmbNoise).text, "None");  // still being edited
    QTest::mouseClick(Panel(PictureId::picData), Qt::LeftButton);
    EXPECT_EQ(Model().List(ListId::cmbNoise).text, "abc");
    EXPECT_TRUE(Window().Status().Note().contains(QStringLiteral("no noise")))
        << Window().Status().Note().toStdString();

    Type(ListId::cmbScene, "Nowhere");
    QTest::keyClick(W().List(ListId::cmbScene)->lineEdit(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(W().List(ListId::cmbScene)->currentText(), QStringLiteral("Noise"));
    EXPECT_EQ(Model().List(ListId::cmbNoise).text, "abc");  // the scene was not laid out again
}

TEST_F(DesktopTest, PanelsAreNamedTitledAndHaveAxes) {
    PickScene(kStraight);
    for (const PanelDescriptor& panel : kPanelTable) {
        EXPECT_EQ(StripName(panel.picture).isEmpty(), panel.kind != PanelKind::Strip);
        EXPECT_FALSE(W().Check(panel.check)->accessibleName().isEmpty());
    }
    EXPECT_EQ(Panel(PictureId::picRxEye)->Title(), QStringLiteral("Receiver eye"));
    EXPECT_EQ(Panel(PictureId::picRxEye)->Axis(), PicturePanel::AxisKind::SymbolPeriods);
    EXPECT_EQ(Panel(PictureId::picTxSpectrum)->Title(), QStringLiteral("Transmitter spectrum, dB"));
    EXPECT_EQ(Panel(PictureId::picTxSpectrum)->Axis(), PicturePanel::AxisKind::Frequency);
    PickScene(2);
    QTest::mouseClick(W().Check(CheckId::chkLinear), Qt::LeftButton);
    EXPECT_EQ(Panel(PictureId::picChannelSpectrum)->Title(),
              QStringLiteral("Channel spectrum, linear"));
    // Scenes 2 and 3 start with the channel panels off: a hint instead of bare white.
    EXPECT_EQ(Panel(PictureId::picChannelEye)->OffHint(), kOffHint);
    EXPECT_TRUE(Panel(PictureId::picChannelEye)->Empty());
    QTest::mouseClick(W().Check(CheckId::chkChannelEye), Qt::LeftButton);
    EXPECT_TRUE(Panel(PictureId::picChannelEye)->OffHint().isEmpty());
}

// However many traces a run adds, every pixel of the green markers is still green.
TEST_F(DesktopTest, TheReceiveEyeMarkersStayOnTopOfTheTraces) {
    PickScene(kNoise);
    ASSERT_TRUE(Model().SetText(ListId::cmbNoise, "0.4"));
    Ticks(20);
    PicturePanel* eye = Panel(PictureId::picRxEye);
    ASSERT_FALSE(eye->Markers().isEmpty());
    const QImage shown = eye->grab().toImage();
    // The markers alone, painted the same way, say which pixels they cover.
    QImage alone(shown.size(), QImage::Format_ARGB32);
    alone.fill(Qt::transparent);
    {
        QPainter painter(&alone);
        painter.setClipRect(eye->DrawingRect() & eye->rect().adjusted(1, 1, -1, -1));  // no border
        painter.translate(eye->DrawingRect().topLeft());
        QPen pen(Qt::green);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawLines(eye->Markers());
    }
    int checked = 0;
    for (int y = 0; y < alone.height(); ++y) {
        for (int x = 0; x < alone.width(); ++x) {
            if (qAlpha(alone.pixel(x, y)) == 0) continue;
            ++checked;
            ASSERT_EQ(shown.pixelColor(x, y), QColor(0, 255, 0)) << x << "," << y;
        }
    }
    EXPECT_GT(checked, 200);
}

// The fast loop's runs between those it shows draw nothing: the markers of the last run
// shown stay with its traces instead of going blank.
TEST_F(DesktopTest, QuietRunsKeepTheReceiveEyeMarkers) {
    PickScene(kNoise);
    Ticks(2);
    const QVector<QLineF> shown = Panel(PictureId::picRxEye)->Markers();
    ASSERT_FALSE(shown.isEmpty());
    Window().Measures().Model().Tick(true);
    Settle();
    EXPECT_EQ(Panel(PictureId::picRxEye)->Markers(), shown);
}

TEST_F(DesktopTest, AResizeWhilePausedKeepsEveryPanel) {
    PickScene(kStraight);
    Ticks(3);
    QTest::mouseClick(W().pause, Qt::LeftButton);  // paused
    const auto allDrawn = [this] {
        for (const PanelDescriptor& panel : kPanelTable) {
            if (Panel(panel.picture)->isVisible() && Blank(panel.picture))
                return std::string(panel.pictureName);
        }
        return std::string();
    };
    ASSERT_EQ(allDrawn(), "");
    Window().resize(Window().width() - 150, Window().height() - 60);
    Settle();
    EXPECT_EQ(allDrawn(), "");
    // The strips are drawn again to their new width, not stretched.
    const QImage strip = Panel(PictureId::picData)->Image().copy();
    Model().RepaintStrips();
    EXPECT_EQ(Panel(PictureId::picData)->Image(), strip);
}

TEST_F(DesktopTest, ResetAndZoomFromTheMenus) {
    PickScene(kNoise);
    ASSERT_TRUE(Model().SetText(ListId::cmbNoise, "0.4"));
    Action("FileReset")->trigger();
    Settle();
    EXPECT_EQ(W().List(ListId::cmbScene)->currentText(), QStringLiteral("Just Data"));
    EXPECT_FALSE(W().List(ListId::cmbNoise)->isVisibleTo(&Window()));
    EXPECT_EQ(Model().List(ListId::cmbNoise).text, "None");

    const qreal base = W().Label(LabelId::Label1)->font().pointSizeF();
    QTest::keyClick(&Window(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(W().Label(LabelId::Label1)->font().pointSizeF(), base);
    EXPECT_GT(Window().Zoom(), 1.0);
    QTest::keyClick(&Window(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(W().Label(LabelId::Label1)->font().pointSizeF(), base);
}

}  // namespace
}  // namespace linelab
