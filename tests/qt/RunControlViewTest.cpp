// Timer1 follows the model: the pause button's cycle, and no run while a message is open.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"

namespace linelab {
namespace {

class RunControlViewTest : public WindowFixture {
  protected:
    void SetUp() override {
        window_ = std::make_unique<MainWindow>();  // the timer as the model starts it
        window_->show();
        Settle();
    }

    // Opens the model's message the way a run does, and looks at the timer while the box
    // is open; the box is then closed as the user would.
    struct Seen {
        bool boxOpen = false;
        bool timerActive = true;
        QString text;
    };
    Seen ReportAndLook(std::string_view message, bool stopsTimer) {
        Seen seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            seen.boxOpen = true;
            seen.text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        seen.timerActive = true;
        QTimer::singleShot(0, [this, &seen] { seen.timerActive = Window().Timer1().isActive(); });
        Window().Report(message, stopsTimer);
        return seen;
    }
};

TEST_F(RunControlViewTest, ThePauseButtonCyclesTheTimer) {
    QTimer& timer = Window().Timer1();
    QPushButton* pause = W().pause;
    ASSERT_EQ(pause->text(), QStringLiteral("Pause"));
    ASSERT_TRUE(timer.isActive());
    ASSERT_EQ(timer.interval(), 100);

    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), QStringLiteral("Cont"));
    EXPECT_FALSE(timer.isActive());

    pause->setFocus();
    QTest::keyClick(pause, Qt::Key_Space);
    EXPECT_EQ(pause->text(), QStringLiteral("Slow"));
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 1000);

    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), QStringLiteral("Pause"));
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 100);
}

TEST_F(RunControlViewTest, AMessageThatStopsTheRunKeepsTheTimerStopped) {
    // What a run does for such a message: the model stops Timer1, then reports.
    TimerControl stopped = Model().Timer();
    stopped.enabled = false;
    Window().TimerChanged(stopped);
    const Seen seen = ReportAndLook("Unknown Modulation Type", true);
    EXPECT_TRUE(seen.boxOpen);
    EXPECT_EQ(seen.text, QStringLiteral("Unknown Modulation Type"));
    EXPECT_FALSE(seen.timerActive);
}

TEST_F(RunControlViewTest, NoRunStartsWhileAnyMessageIsOpen) {
    ASSERT_TRUE(Window().Timer1().isActive());
    const Seen seen = ReportAndLook("Unknown Modulation Format for Thresholds", false);
    EXPECT_TRUE(seen.boxOpen);
    EXPECT_FALSE(seen.timerActive);
    EXPECT_TRUE(Window().Timer1().isActive());  // the run goes on once the box is closed
    EXPECT_EQ(Window().Timer1().interval(), Model().Timer().interval);
}

TEST_F(RunControlViewTest, APausedRunStaysPausedAfterAMessage) {
    QTest::mouseClick(W().pause, Qt::LeftButton);
    ASSERT_FALSE(Model().Timer().enabled);
    const Seen seen = ReportAndLook("Unknown Modulation Format for Thresholds", false);
    EXPECT_TRUE(seen.boxOpen);
    EXPECT_FALSE(Window().Timer1().isActive());
}

}  // namespace
}  // namespace linelab
