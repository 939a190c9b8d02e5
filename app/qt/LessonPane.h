#pragma once
// The lesson pane: a guided lesson beside the chain, in the room the chain leaves free (the
// column of a stage without pictures, else the output column under the BER with the strips
// lowered, or beside the transmitter's lists), so the eyes and spectra keep theirs; its
// question and answer are as tall as their text and the step's text has the rest. The user
// can hide it (View > Lesson Pane, F9). It shows the list of steps, the shown
// step's title and text, its question and, when asked for, the answer; Previous / Next and Page Up
// / Page Down (the keys a presentation remote sends, also with a panel shown large or in full
// screen) move through it. Authoring happens in place: "Add Step" takes the window's present
// settings as a new step after the shown one, the texts are edited where they stand, steps are
// moved and deleted, and File > Save Lesson writes what the pane shows. The pane holds the lesson;
// the lesson layer reads, applies and writes it.

#include <QFrame>
#include <QString>
#include <cstddef>
#include <string>

#include "lesson/GuidedLesson.h"

class QAction;
class QLineEdit;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace linelab {

// A lesson's text, UTF-8 as its file holds it, as the window shows it.
inline QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class MainWindow;

class LessonPane : public QFrame {
    Q_OBJECT

  public:
    explicit LessonPane(MainWindow& window);

    // A lesson just opened into the window, shown at its start; the pane shows itself when
    // the lesson has steps.
    void SetLesson(GuidedLesson lesson);
    // What File > Save Lesson writes: the pane's lesson, or, while it has no steps, the
    // window's present settings with the pane's title and introduction.
    GuidedLesson LessonToSave() const;
    const GuidedLesson& Lesson() const { return lesson_; }
    std::size_t Position() const { return position_; }

    // Puts the window at a position (0: the introduction); false, with the problem shown,
    // when the lesson cannot be applied.
    bool GoTo(std::size_t position);
    void Next();
    void Previous();
    void AddStep();
    void DeleteStep();
    void MoveStep(int by);  // -1 up, +1 down
    void ShowAnswer();

    // Shows or hides the pane, and lays the chain out again around it.
    void SetShown(bool shown);
    QAction* ToggleAction() const { return toggle_; }
    QAction* NextAction() const { return next_; }
    QAction* PreviousAction() const { return previous_; }

  private:
    void Build();
    void Refresh();
    void FillList();
    void TitleEdited(const QString& text);
    void TextEdited();
    void QuestionEdited();
    void AnswerEdited();
    LessonStep* Shown();

    MainWindow& window_;
    GuidedLesson lesson_;
    std::size_t position_ = 0;
    bool refreshing_ = false;
    QComboBox* list_ = nullptr;
    QLineEdit* title_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPlainTextEdit* question_ = nullptr;
    QPushButton* showAnswer_ = nullptr;
    QPlainTextEdit* answer_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QAction* toggle_ = nullptr;
    QAction* next_ = nullptr;
    QAction* previous_ = nullptr;
};

}  // namespace linelab
