#include "app/qt/LessonActions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>

#include "app/qt/LessonPane.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MenuNamed.h"
#include "app/qt/PictureExport.h"
#include "app/qt/PicturePanel.h"
#include "app/qt/WarningBox.h"
#include "lesson/GuidedLesson.h"
#include "lesson/Lesson.h"
#include "lesson/OneLine.h"

namespace linelab {
namespace {

const QString kRecentKey = QStringLiteral("lessons/recent");
// Any .json file opens; a save proposes the suffix the desktop knows as a lesson's.
const QString kFilter = QStringLiteral("LineLab lessons (*.json);;All files (*)");
const QString kLessonSuffix = QStringLiteral(".linelab.json");
const QString kSaveFilter =
    QStringLiteral("LineLab lessons (*.linelab.json);;JSON files (*.json);;All files (*)");

std::filesystem::path PathOf(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

// The name as the window shows it: one line, its odd bytes escaped.
QString Shown(const std::filesystem::path& file) {
    return FromUtf8(FileNameForMessage(file));
}

}  // namespace

LessonActions::LessonActions(MainWindow& window) : QObject(&window), window_(window) {
    BuildFileMenu(
        *MenuNamed(*window.menuBar(), QStringLiteral("FileMenu"), QStringLiteral("&File")));
    BuildEditMenu(
        *MenuNamed(*window.menuBar(), QStringLiteral("EditMenu"), QStringLiteral("&Edit")));
    QList<QWidget*> panels;
    for (PicturePanel* panel : window.Widgets().pictures)
        panels.append(panel);
    AddPanelPictureMenus(window, panels);
}

// The lesson and picture actions go before whatever the File menu already holds.
void LessonActions::BuildFileMenu(QMenu& file) {
    QAction* first = file.actions().isEmpty() ? nullptr : file.actions().constFirst();
    const auto add = [&file, first](const QString& name, const QString& text,
                                    const QKeySequence& keys) {
        auto* action = new QAction(text, &file);
        action->setObjectName(name);
        action->setShortcut(keys);
        file.insertAction(first, action);
        return action;
    };
    connect(add(QStringLiteral("FileOpenLesson"), QStringLiteral("&Open Lesson..."),
                QKeySequence::Open),
            &QAction::triggered, this, &LessonActions::OpenWithDialog);
    connect(add(QStringLiteral("FileSaveLesson"), QStringLiteral("&Save Lesson..."),
                QKeySequence::Save),
            &QAction::triggered, this, &LessonActions::SaveWithDialog);
    recent_ = new QMenu(QStringLiteral("Recent Lessons"), &file);
    recent_->setObjectName(QStringLiteral("FileRecentLessons"));
    file.insertMenu(first, recent_);
    examples_ = new QMenu(QStringLiteral("Examples"), &file);
    examples_->setObjectName(QStringLiteral("FileExamples"));
    file.insertMenu(first, examples_);
    file.insertSeparator(first);
    connect(add(QStringLiteral("FileExportPicture"), QStringLiteral("&Export Picture..."), {}),
            &QAction::triggered, this, [this] { ExportPictureWithDialog(window_); });
    if (first != nullptr) file.insertSeparator(first);
    FillRecent();
    FillExamples();
}

void LessonActions::BuildEditMenu(QMenu& edit) {
    QAction* copy = edit.addAction(QStringLiteral("&Copy Picture"));
    copy->setObjectName(QStringLiteral("EditCopyPicture"));
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    connect(copy, &QAction::triggered, this, [this] { CopyPicture(window_); });
}

namespace {

// Nothing may escape into Qt's event loop, which would end the program: a failure the
// reader did not foresee (memory, say) is still only a message.
template <typename Action>
std::optional<QString> Guarded(const std::filesystem::path& file, Action action) {
    try {
        if (const auto problem = action()) return FromUtf8(*problem);
    } catch (const std::exception& e) {
        return Shown(file) + QStringLiteral(": ") + FromUtf8(OneLine(e.what()));
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> LessonActions::Open(const QString& file) {
    return OpenFile(PathOf(file));
}

// Every step is tried before the window changes; the lesson then opens at its start and the
// pane takes it.
std::optional<QString> LessonActions::OpenFile(const std::filesystem::path& file) {
    GuidedLesson lesson;
    auto problem = Guarded(file, [&]() -> std::optional<std::string> {
        std::string text;
        if (auto read = ReadLessonText(file, text)) return read;
        if (auto read = ReadGuidedLessonText(window_.Model(), text, file, lesson)) return read;
        if (auto shown = ShowLessonStep(window_.Model(), lesson, 0))
            return FileNameForMessage(file) + ": " + *shown;
        return std::nullopt;
    });
    if (problem) return problem;
    window_.Pane().SetLesson(std::move(lesson));
    Remember(file);
    return std::nullopt;
}

std::optional<QString> LessonActions::Save(const QString& file, AskedFirst asked) {
    const std::filesystem::path path = PathOf(file);
    auto problem =
        Guarded(path, [&] { return SaveGuidedLesson(window_.Pane().LessonToSave(), path, asked); });
    if (!problem) Remember(path);
    return problem;
}

void LessonActions::OpenAndReport(const QString& file) {
    OpenFileAndReport(PathOf(file));
}

void LessonActions::OpenFileAndReport(const std::filesystem::path& file) {
    if (const auto problem = OpenFile(file)) {
        ShowProblem(QStringLiteral("Open Lesson"), *problem);
    } else if (window_.statusBar() != nullptr) {
        window_.statusBar()->showMessage(QStringLiteral("Opened ") + Shown(file), 5000);
    }
}

void LessonActions::OpenWithDialog() {
    const QString file =
        QFileDialog::getOpenFileName(&window_, QStringLiteral("Open Lesson"), QString(), kFilter);
    if (!file.isEmpty()) OpenAndReport(file);
}

void LessonActions::SaveWithDialog() {
    QString file = QFileDialog::getSaveFileName(&window_, QStringLiteral("Save Lesson"), QString(),
                                                kSaveFilter);
    if (file.isEmpty()) return;
    if (QFileInfo(file).suffix().isEmpty()) file += kLessonSuffix;
    // The dialog asked whether to replace the file; a read-only one, or one whose other
    // names would keep the old lesson, is asked about once more.
    AskedFirst asked = AskedFirst::No;
    if (const auto reason = AskBeforeReplacing(PathOf(file))) {
        const auto box =
            MakeWarningBox(&window_, QStringLiteral("Save Lesson"),
                           Shown(PathOf(file)) + QStringLiteral(" ") + FromUtf8(*reason) +
                               QStringLiteral(". Replace it all the same?"),
                           QMessageBox::Yes | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Cancel);
        if (box->exec() != QMessageBox::Yes) return;
        asked = AskedFirst::Yes;
    }
    if (const auto problem = Save(file, asked)) {
        ShowProblem(QStringLiteral("Save Lesson"), *problem);
    } else {
        window_.statusBar()->showMessage(QStringLiteral("Saved ") + file, 5000);
    }
}

void LessonActions::ShowProblem(const QString& title, const QString& problem) {
    ShowWarning(&window_, title, problem);
}

QStringList LessonActions::Recent() const {
    return QSettings().value(kRecentKey).toStringList();
}

// A name that is no UTF-8 has no QString that leads back to it: it is not listed.
void LessonActions::Remember(const std::filesystem::path& file) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(file.native()));
    if (PathOf(name) != file) return;
    QStringList recent = Recent();
    const QString absolute = QFileInfo(name).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kMaxRecent)
        recent.removeLast();
    QSettings().setValue(kRecentKey, recent);
    FillRecent();
}

void LessonActions::FillRecent() {
    recent_->clear();
    const QStringList recent = Recent();
    for (const QString& file : recent) {
        QAction* action = recent_->addAction(QFileInfo(file).fileName());
        action->setToolTip(file);
        connect(action, &QAction::triggered, this, [this, file] { OpenAndReport(file); });
    }
    recent_->setEnabled(!recent.isEmpty());
}

// What an example lesson shows, for the menu; a file not listed here is named after its
// file name, in words.
QString LessonActions::ExampleTitle(const QString& fileName) {
    static const QHash<QString, QString> kTitles = {
        {QStringLiteral("echo-band-limited"), QStringLiteral("Echo on a band-limited line")},
        {QStringLiteral("manchester-nrz-spectra"),
         QStringLiteral("Manchester against NRZ spectrum")},
        {QStringLiteral("pam4-noise"), QStringLiteral("Four-level PAM in noise")},
        {QStringLiteral("why-line-codes"), QStringLiteral("Guided: why line codes")},
        {QStringLiteral("noise-and-the-eye"), QStringLiteral("Guided: noise and the eye")},
        {QStringLiteral("band-limits-and-echoes"),
         QStringLiteral("Guided: band limits and echoes")},
    };
    const QString base = QFileInfo(fileName).completeBaseName();
    if (const auto it = kTitles.find(base); it != kTitles.end()) return *it;
    QString title = base;
    title.replace(QLatin1Char('-'), QLatin1Char(' '));
    if (!title.isEmpty()) title[0] = title[0].toUpper();
    return title;
}

void LessonActions::FillExamples() {
    const QDir folder(ExamplesFolder());
    const QStringList files =
        folder.entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : files) {
        const QString file = folder.filePath(name);
        connect(examples_->addAction(ExampleTitle(name)), &QAction::triggered, this,
                [this, file] { OpenAndReport(file); });
    }
    examples_->setEnabled(!files.isEmpty());
}

QString LessonActions::ExamplesFolder() {
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/linelab/lessons");
    if (QFileInfo::exists(installed)) return QDir::cleanPath(installed);
    return QStringLiteral(LINELAB_SOURCE_LESSONS);
}

}  // namespace linelab
