#pragma once
// The File and Edit menus' lesson and picture actions: Open Lesson..., Save Lesson...,
// the recent lessons, the example lessons, Export Picture... and Copy Picture.

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "lesson/SaveFileAtomically.h"

class QMenu;

namespace linelab {

class MainWindow;

class LessonActions : public QObject {
    Q_OBJECT

  public:
    static constexpr int kMaxRecent = 8;

    explicit LessonActions(MainWindow& window);

    // Opens the lesson into the window; on success it heads the recent list. Returns the
    // problem (naming the file) without showing it. A name from the command line is taken
    // as its bytes, which need not be UTF-8.
    std::optional<QString> Open(const QString& file);
    std::optional<QString> OpenFile(const std::filesystem::path& file);
    // A read-only file, or one with other names, is replaced only when `asked` says the
    // user agreed (SaveWithDialog asks).
    std::optional<QString> Save(const QString& file, AskedFirst asked = AskedFirst::No);
    // The same, with the problem shown in a box.
    void OpenAndReport(const QString& file);
    void OpenFileAndReport(const std::filesystem::path& file);

    QStringList Recent() const;
    // Where the example lessons are: installed beside the program, or in the source tree
    // for a program run from its build folder.
    static QString ExamplesFolder();
    // The menu's name for an example lesson file: what it shows, in words.
    static QString ExampleTitle(const QString& fileName);

  private:
    void BuildFileMenu(QMenu& file);
    void BuildEditMenu(QMenu& edit);
    void OpenWithDialog();
    void SaveWithDialog();
    void Remember(const std::filesystem::path& file);
    void FillRecent();
    void FillExamples();
    void ShowProblem(const QString& title, const QString& problem);

    MainWindow& window_;
    QMenu* recent_ = nullptr;
    QMenu* examples_ = nullptr;
};

}  // namespace linelab
