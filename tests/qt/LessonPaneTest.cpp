// The lesson pane: a guided lesson stepped through by the keys a presentation remote sends,
// also shown large and in full screen; a step list edited in the window saved as the pane
// shows it; the pictures keep their room beside it.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <numeric>

#include "WindowFixture.h"
#include "app/qt/LessonActions.h"
#include "app/qt/LessonPane.h"
#include "lesson/GuidedLesson.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

class LessonPaneTest : public WindowFixture {
  protected:
    LessonPane& Pane() { return Window().Pane(); }
    template <typename T>
    T* Child(const char* name) {
        return Pane().findChild<T*>(QString::fromLatin1(name));
    }
    void Click(const char* button) {
        QPushButton* b = Child<QPushButton>(button);
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isEnabled()) << button;
        b->click();
        Settle();
    }
    void OpenExample(const char* name) {
        const QString file = QStringLiteral(LINELAB_SOURCE_LESSONS "/") + QString::fromLatin1(name);
        const auto problem = Window().Lessons().Open(file);
        ASSERT_FALSE(problem) << problem->toStdString();
        Settle();
    }
    void PageDown() {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &Window(),
                        Qt::Key_PageDown);
        Settle();
    }
    std::string ModList(int side) { return Model().List(Element(ListId::cmbMod0, side)).text; }
};

TEST_F(LessonPaneTest, AGuidedLessonOpensAtItsIntroductionWithThePaneShown) {
    EXPECT_FALSE(Pane().isVisible());  // no lesson, no pane
    OpenExample("why-line-codes.json");
    EXPECT_TRUE(Pane().isVisible());
    EXPECT_EQ(Pane().Position(), 0u);
    EXPECT_EQ(Child<QComboBox>("lessonSteps")->count(), 6);
    EXPECT_EQ(Child<QLineEdit>("lessonStepTitle")->text(), QStringLiteral("Why line codes"));
    EXPECT_TRUE(Model().View()[ViewOption::Theory]);
    EXPECT_TRUE(Window().findChild<QAction*>(QStringLiteral("ViewTheory"))->isChecked());
}

// Page Down as a remote sends it: in place, with a panel shown large, in full screen.
TEST_F(LessonPaneTest, PageDownMovesOnWhateverTheWindowShows) {
    OpenExample("why-line-codes.json");
    W().pause->setFocus();
    PageDown();
    EXPECT_EQ(Pane().Position(), 1u);
    Window().Present(Panel(PictureId::picTxSpectrum));
    Settle();
    ASSERT_TRUE(Window().Presenting());
    PageDown();
    EXPECT_EQ(Pane().Position(), 2u);
    EXPECT_EQ(ModList(0), "Polar (N)RZ");
    Window().EndPresentation();
    Window().ToggleFullScreen();
    Settle();
    PageDown();
    PageDown();
    EXPECT_EQ(Pane().Position(), 4u);
    EXPECT_EQ(Model().List(ListId::cmbCode1).text, "Manchester");
    QTest::keyClick(&Window(), Qt::Key_PageUp);
    Settle();
    EXPECT_EQ(Pane().Position(), 3u);
    EXPECT_EQ(ModList(0), "AMI");
    EXPECT_EQ(Model().List(ListId::cmbCode0).text, "None");  // Previous undoes Manchester
    Window().ToggleFullScreen();
}

TEST_F(LessonPaneTest, TheAnswerStaysHiddenUntilAskedFor) {
    OpenExample("why-line-codes.json");
    ASSERT_TRUE(Pane().GoTo(1));
    auto* answer = Child<QPlainTextEdit>("lessonAnswer");
    EXPECT_FALSE(answer->isVisible());
    Click("lessonShowAnswer");
    EXPECT_TRUE(answer->isVisible());
    EXPECT_THAT(answer->toPlainText().toStdString(), ::testing::HasSubstr("clock drifts"));
    ASSERT_TRUE(Pane().GoTo(2));  // a step without a question: nothing to show
    EXPECT_FALSE(Child<QPushButton>("lessonShowAnswer")->isVisible());
}

// A lesson written in the window: steps added from the window's settings, titles typed in
// place, one moved up and one deleted. The saved file holds what the pane shows, in its order,
// each step with the settings it was added with.
TEST_F(LessonPaneTest, AStepListEditedInTheWindowSavesWhatThePaneShows) {
    PickScene(3);
    Window().Pane().SetShown(true);
    Click("lessonAddStep");  // the present settings: the lesson's start and its first step
    QTest::keyClicks(Child<QLineEdit>("lessonStepTitle"), "NRZ");
    ASSERT_TRUE(Model().SetText("cmbCode(0)", "Manchester"));
    Click("lessonAddStep");
    QTest::keyClicks(Child<QLineEdit>("lessonStepTitle"), "Manchester");
    Child<QPlainTextEdit>("lessonStepText")->setPlainText(QStringLiteral("Two halves.\nNo DC."));
    ASSERT_TRUE(Model().SetText("cmbMod(0)", "AMI"));
    Model().SetViewOption(ViewOption::Theory, true);
    Click("lessonAddStep");
    QTest::keyClicks(Child<QLineEdit>("lessonStepTitle"), "AMI");
    Child<QPlainTextEdit>("lessonQuestion")->setPlainText(QStringLiteral("Why no DC?"));
    Click("lessonMoveUp");  // AMI before Manchester
    ASSERT_TRUE(Pane().GoTo(1));
    Click("lessonDeleteStep");  // NRZ gone; the introduction shows

    QComboBox* list = Child<QComboBox>("lessonSteps");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(1), QStringLiteral("1. AMI"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("2. Manchester"));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("built.json"));
    const auto problem = Window().Lessons().Save(file);
    ASSERT_FALSE(problem) << problem->toStdString();
    GuidedLesson saved;
    std::string text;
    ASSERT_FALSE(ReadLessonText(file.toStdString(), text));
    ASSERT_FALSE(ReadGuidedLessonText(Form1(), text, "built.json", saved));
    EXPECT_EQ(saved, Pane().Lesson());
    ASSERT_EQ(saved.steps.size(), 2u);
    EXPECT_EQ(saved.steps[0].title, "AMI");
    EXPECT_EQ(saved.steps[0].question, "Why no DC?");
    EXPECT_EQ(saved.steps[0].settings["lists"]["cmbMod(0)"], "AMI");
    EXPECT_EQ(saved.steps[0].settings["lists"]["cmbCode(0)"], "Manchester");
    EXPECT_EQ(saved.steps[0].settings["view"]["theory"], 1);
    EXPECT_EQ(saved.steps[1].text, "Two halves.\nNo DC.");
    EXPECT_EQ(saved.steps[1].settings["view"]["theory"], 0);
    EXPECT_EQ(saved.start["scene"], "Full Tx");

    // Reopened, the second step puts the window back to Manchester without AMI.
    ASSERT_FALSE(Window().Lessons().Open(file));
    ASSERT_TRUE(Pane().GoTo(2));
    EXPECT_EQ(ModList(0), "Unipolar (N)RZ");
    EXPECT_EQ(Model().List(ListId::cmbCode0).text, "Manchester");
    EXPECT_FALSE(Model().View()[ViewOption::Theory]);
}

double PictureShare(MainWindow& window, const ControlWidgets& w) {
    double pictures = 0;
    for (const PanelDescriptor& d : kPanelTable) {
        if (d.kind == PanelKind::Strip) continue;  // the eyes and spectra
        const PicturePanel* panel = w.Picture(d.picture);
        pictures += double(panel->width()) * panel->height();
    }
    return pictures / (double(window.width()) * window.height());
}

// The heights of the strips the scene shows, each no lower than its least.
std::vector<int> StripHeights(const ControlWidgets& w) {
    std::vector<int> heights;
    for (int i = 0; i < static_cast<int>(PictureId::picTxEye); ++i) {
        const PicturePanel* strip = w.Picture(PictureId(i));
        if (strip->isHidden()) continue;
        EXPECT_GE(strip->height(), strip->minimumSizeHint().height()) << i;
        heights.push_back(strip->height());
    }
    return heights;
}

// The pane lives in the room the chain leaves free: shown, it takes nothing from the eyes and
// spectra; the strips above it lower, and hidden (F9), it gives them back their height.
TEST_F(LessonPaneTest, ThePicturesKeepTheirRoomBesideThePane) {
    Window().setGeometry(Window().screen()->availableGeometry());
    PickScene(6);
    const double alone = PictureShare(Window(), W());
    const std::vector<int> strips = StripHeights(W());
    OpenExample("band-limits-and-echoes.json");
    ASSERT_TRUE(Pane().isVisible());
    EXPECT_GE(Pane().width(), 150);
    EXPECT_GE(Pane().height(), 140);
    EXPECT_DOUBLE_EQ(PictureShare(Window(), W()), alone);
    const std::vector<int> lowered = StripHeights(W());
    EXPECT_LT(std::accumulate(lowered.begin(), lowered.end(), 0),
              std::accumulate(strips.begin(), strips.end(), 0));
    Pane().ToggleAction()->trigger();
    Settle();
    EXPECT_FALSE(Pane().isVisible());
    EXPECT_DOUBLE_EQ(PictureShare(Window(), W()), alone);
    EXPECT_EQ(StripHeights(W()), strips);
}

// A stage that shows no picture (the channel in Noise) gives the pane its column, beside the
// eyes and spectra, and the strips keep their height.
TEST_F(LessonPaneTest, AStageWithoutPicturesGivesThePaneItsColumn) {
    Window().setGeometry(Window().screen()->availableGeometry());
    PickScene(5);
    const double alone = PictureShare(Window(), W());
    const std::vector<int> strips = StripHeights(W());
    Pane().SetShown(true);
    Settle();
    const QRect pane(Pane().mapTo(&Window(), QPoint(0, 0)), Pane().size());
    for (const PictureId id : {PictureId::picTxEye, PictureId::picRxEye, PictureId::picTxSpectrum,
                               PictureId::picRxSpectrum}) {
        const PicturePanel* panel = W().Picture(id);
        EXPECT_FALSE(pane.intersects(QRect(panel->mapTo(&Window(), QPoint(0, 0)), panel->size())));
    }
    EXPECT_GE(Pane().width(), 300);
    EXPECT_GE(Pane().height(), 400);
    EXPECT_DOUBLE_EQ(PictureShare(Window(), W()), alone);
    EXPECT_EQ(StripHeights(W()), strips);
}

// The boxes of the pane, of those named, that would need a scroll bar to show their text.
std::vector<std::string> Scrolled(LessonPane& pane, std::initializer_list<const char*> names) {
    std::vector<std::string> scrolled;
    for (const char* name : names) {
        const auto* box = pane.findChild<QPlainTextEdit*>(QString::fromLatin1(name));
        if (box->isVisible() && box->verticalScrollBar()->maximum() > 0) scrolled.push_back(name);
    }
    return scrolled;
}

class LessonPaneFitTest : public LessonPaneTest,
                          public ::testing::WithParamInterface<const char*> {};

// In a window of 1280x800 every step of the examples reads whole, with its question; once
// shown, the answer reads whole too (the step's text may then scroll).
TEST_P(LessonPaneFitTest, EveryStepReadsWithoutScrolling) {
    Window().setGeometry(Window().screen()->availableGeometry());
    OpenExample(GetParam());
    for (std::size_t step = 1; step < Pane().Lesson().Positions(); ++step) {
        ASSERT_TRUE(Pane().GoTo(step));
        Settle();
        EXPECT_THAT(Scrolled(Pane(), {"lessonStepText", "lessonQuestion", "lessonAnswer"}),
                    ::testing::IsEmpty())
            << "step " << step;
        if (Pane().Lesson().steps[step - 1].answer.empty()) continue;
        Click("lessonShowAnswer");
        EXPECT_THAT(Scrolled(Pane(), {"lessonQuestion", "lessonAnswer"}), ::testing::IsEmpty())
            << "step " << step << ", answer shown";
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, LessonPaneFitTest,
                         ::testing::Values("why-line-codes.json", "noise-and-the-eye.json",
                                           "band-limits-and-echoes.json"));

}  // namespace
}  // namespace linelab
