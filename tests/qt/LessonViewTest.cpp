// The window's lesson and picture actions: the menus, a lesson opened into the widgets, a
// bad one refused without a change, and pictures written as PNG and SVG.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include "WindowFixture.h"
#include "lesson/Lesson.h"
#include "app/qt/LessonActions.h"
#include "app/qt/PictureExport.h"

namespace linelab {
namespace {

class LessonView : public WindowFixture {
  protected:
    void SetUp() override {
        // Each test its own settings: ctest runs them side by side.
        QCoreApplication::setOrganizationName(QStringLiteral("LineLab tests"));
        QCoreApplication::setApplicationName(
            QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        QSettings().remove(QStringLiteral("lessons"));
        WindowFixture::SetUp();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        QSettings settings;
        settings.clear();
        settings.sync();
        QFile::remove(settings.fileName());
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(LessonView, MenusHoldTheActionsWithTheirShortcuts) {
    const auto action = [this](const char* name) {
        return Window().findChild<QAction*>(QString::fromLatin1(name));
    };
    ASSERT_NE(action("FileOpenLesson"), nullptr);
    EXPECT_EQ(action("FileOpenLesson")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(action("FileSaveLesson")->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(action("EditCopyPicture")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    ASSERT_NE(action("FileExportPicture"), nullptr);
    const auto* examples = Window().findChild<QMenu*>(QStringLiteral("FileExamples"));
    ASSERT_NE(examples, nullptr);
    EXPECT_EQ(examples->actions().size(), 6);
}

TEST_F(LessonView, AnOpenedLessonShowsInTheWidgetsAndHeadsTheRecentList) {
    const QString file = Path(QStringLiteral("noise.json"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(R"({"format": "linelab-lesson", "version": 1, "scene": "Noise",
                  "lists": {"cmbNoise": "0.6"}, "checks": {"chkRxEye": 0}})");
    out.close();
    ASSERT_FALSE(Window().Lessons().Open(file));
    Settle();
    EXPECT_EQ(W().List(ListId::cmbScene)->currentText(), QStringLiteral("Noise"));
    EXPECT_EQ(W().List(ListId::cmbNoise)->currentText(), QStringLiteral("0.6"));
    EXPECT_FALSE(W().Check(CheckId::chkRxEye)->isChecked());
    EXPECT_FALSE(W().List(ListId::cmbNoise)->isHidden());
    EXPECT_EQ(Window().Lessons().Recent().value(0), file);

    ASSERT_FALSE(Window().Lessons().Save(Path(QStringLiteral("copy.json"))));
    EXPECT_EQ(Window().Lessons().Recent().value(0), Path(QStringLiteral("copy.json")));
}

TEST_F(LessonView, ABadLessonIsRefusedAndTheWindowKeepsItsSettings) {
    PickScene(6);
    const QString before = W().List(ListId::cmbScene)->currentText();
    const auto problem = Window().Lessons().Open(Path(QStringLiteral("missing.json")));
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->contains(QStringLiteral("missing.json: cannot be read")));
    EXPECT_EQ(W().List(ListId::cmbScene)->currentText(), before);
    EXPECT_TRUE(Window().Lessons().Recent().isEmpty());
}

TEST_F(LessonView, PicturesOfTheWindowAndOfAPanelAsPngAndSvg) {
    Ticks(2);
    const QString png = Path(QStringLiteral("window.png"));
    ASSERT_FALSE(ExportPicture(Window(), png));
    const QImage image(png);
    EXPECT_EQ(image.size(), Window().size() * Window().devicePixelRatio());
    EXPECT_FALSE(IsBlank(image));

    const QString svg = Path(QStringLiteral("eye.SVG"));
    ASSERT_FALSE(ExportPicture(*Panel(PictureId::picData), svg));
    QFile drawing(svg);
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    const QByteArray text = drawing.readAll();
    EXPECT_TRUE(text.contains("<svg")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("</svg>"));

    const auto problem = ExportPicture(Window(), Path(QStringLiteral("no/such/folder.png")));
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->startsWith(Path(QStringLiteral("no/such/folder.png"))));
}

}  // namespace
}  // namespace linelab
