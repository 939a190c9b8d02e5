#pragma once
// The File and Edit menus' lesson and picture actions: Open Lesson..., Save Lesson...,
// the recent lessons, the example lessons, Export Picture... and Copy Picture.

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class QMenu;

namespace linelab {

class MainWindow;

class LessonActions : public QObject {
    Q_OBJECT

  public:
    static constexpr int kMaxRecent = 8;

    explicit LessonActions(MainWindow& window);

    // Opens the lesson into the window; on success it heads the recent list. Returns the
    // problem (naming the file) without showing it.
    std::optional<QString> Open(const QString& file);
    std::optional<QString> Save(const QString& file);
    // The same, with the problem shown in a box.
    void OpenAndReport(const QString& file);

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
    void Remember(const QString& file);
    void FillRecent();
    void FillExamples();
    void ShowProblem(const QString& title, const QString& problem);

    MainWindow& window_;
    QMenu* recent_ = nullptr;
    QMenu* examples_ = nullptr;
};

}  // namespace linelab
