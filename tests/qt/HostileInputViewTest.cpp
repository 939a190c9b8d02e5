// The window against hostile input: a lesson whose name is no UTF-8, messages of any
// length in a box that fits the screen, a read-only lesson replaced only when asked.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "WindowFixture.h"
#include "app/qt/LessonActions.h"
#include "app/qt/WarningBox.h"

namespace linelab {
namespace {

namespace fs = std::filesystem;

class HostileInputView : public WindowFixture {
  protected:
    void SetUp() override {
        QCoreApplication::setOrganizationName(QStringLiteral("LineLab tests"));
        QCoreApplication::setApplicationName(QStringLiteral("HostileInputView"));
        WindowFixture::SetUp();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        QSettings settings;
        settings.clear();
        settings.sync();
        QFile::remove(settings.fileName());
    }
    fs::path Path(const std::string& name) const {
        return fs::path(dir_.path().toStdString()) / name;
    }

    QTemporaryDir dir_;
};

TEST_F(HostileInputView, ALessonNamedWithAByteThatIsNoUtf8Opens) {
    const fs::path file = Path("valid-\xff-name.json");
    std::ofstream(file) << R"({"format": "linelab-lesson", "version": 1, "scene": "Noise"})";
    const auto problem = Window().Lessons().OpenFile(file);
    EXPECT_FALSE(problem) << problem->toStdString();
    Settle();
    EXPECT_EQ(W().List(ListId::cmbScene)->currentText(), QStringLiteral("Noise"));
    // A missing one is named with its byte escaped.
    const auto missing = Window().Lessons().OpenFile(Path("gone-\xff.json"));
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->contains(QStringLiteral("gone-\\xFF.json: cannot be read")))
        << missing->toStdString();
    fs::remove(file);  // a name Qt cannot spell, so QTemporaryDir cannot remove it
}

// Whatever the message, the box and its button stay on the screen.
TEST_F(HostileInputView, AWarningBoxFitsTheScreenWhateverItsText) {
    const QSize screen = QApplication::primaryScreen()->availableGeometry().size();
    for (const QString& text :
         {QStringLiteral("word ").repeated(200000), QStringLiteral("x").repeated(1000000),
          QStringLiteral("/") + QStringLiteral("d").repeated(4000) +
              QStringLiteral("/lesson.json: cannot be read")}) {
        const auto box = MakeWarningBox(&Window(), QStringLiteral("Open Lesson"), text);
        box->show();
        Settle();
        EXPECT_LE(box->frameGeometry().width(), screen.width());
        EXPECT_LE(box->frameGeometry().height(), screen.height());
        const QPushButton* ok = box->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(box->rect().contains(ok->geometry()));
        EXPECT_LE(box->text().size(), kWarningChars + kWarningChars / kUnbrokenChars + 3);
        box->close();
    }
}

TEST_F(HostileInputView, AReadOnlyLessonIsReplacedOnlyWhenAsked) {
    const fs::path file = Path("ro.json");
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms(0444));
    const QString name = QString::fromStdString(file.string());
    const auto refused = Window().Lessons().Save(name);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QStringLiteral("is read-only"))) << refused->toStdString();
    EXPECT_FALSE(Window().Lessons().Save(name, AskedFirst::Yes));
    EXPECT_GT(fs::file_size(file), 3u);
}

}  // namespace
}  // namespace linelab
