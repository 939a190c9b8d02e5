// The help menu opens each help window, Close hides it, and the menu shows the same
// window with the same text again.

#include <QAction>
#include <QPushButton>
#include <ostream>

#include "WindowFixture.h"
#include "app/qt/HelpWindow.h"

namespace linelab {
namespace {

struct HelpCase {
    const char* action;
    HelpWindow* (MainWindow::*window)() const;
    const char* mustSay;

    friend void PrintTo(const HelpCase& c, std::ostream* os) { *os << c.action; }
};

class HelpWindowTest : public WindowFixture, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpWindowTest, OpensClosesAndOpensAgainWithTheSameText) {
    auto* action = Window().findChild<QAction*>(QString::fromUtf8(GetParam().action));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ((Window().*GetParam().window)(), nullptr);  // made on first use

    action->trigger();
    HelpWindow* help = (Window().*GetParam().window)();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QString text = help->Text();
    EXPECT_TRUE(text.contains(QString::fromUtf8(GetParam().mustSay))) << text.toStdString();

    help->CloseButton()->click();
    EXPECT_FALSE(help->isVisible());

    action->trigger();
    EXPECT_EQ((Window().*GetParam().window)(), help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Text(), text);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, HelpWindowTest,
    ::testing::Values(HelpCase{"HelpAbout", &MainWindow::AboutWindow, "1 kbit/s"},
                      HelpCase{"HelpInstructions", &MainWindow::InstructionsWindow,
                               "symmetrical about zero"}),
    [](const auto& info) { return std::string(info.param.action); });

TEST(HelpMenuTest, HasTheTwoItemsUnderHelp) {
    MainWindow window;
    auto* about = window.findChild<QAction*>(QStringLiteral("HelpAbout"));
    auto* instructions = window.findChild<QAction*>(QStringLiteral("HelpInstructions"));
    ASSERT_NE(about, nullptr);
    ASSERT_NE(instructions, nullptr);
    EXPECT_EQ(about->text(), QStringLiteral("About"));
    EXPECT_EQ(instructions->text(), QStringLiteral("Instructions"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("LineLab"));
}

}  // namespace
}  // namespace linelab
