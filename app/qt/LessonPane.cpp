#include "app/qt/LessonPane.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <utility>

#include "app/qt/ChainArea.h"
#include "app/qt/ChainLayout.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MenuNamed.h"
#include "app/qt/WarningBox.h"

namespace linelab {
namespace {

// Narrow enough for the room beside the chain on a 1024x768 projector, and no taller than
// the room Full Channel leaves under the BER there: the pane takes what the chain leaves.
constexpr int kPaneMinWidth = 170;
constexpr int kPaneMinHeight = 140;

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);  // Space stays the run control's
    return button;
}

// A text box as tall as its wrapped text at its present width, so a step's text, question and
// answer read without scrolling where the pane has the room; it asks for at least `minLines`.
class FittedTextBox : public QPlainTextEdit {
  public:
    FittedTextBox(const char* name, int minLines, QWidget* parent)
        : QPlainTextEdit(parent), minLines_(minLines) {
        setObjectName(QString::fromLatin1(name));
        setTabChangesFocus(true);
        setFrameShape(QFrame::NoFrame);
        connect(this, &QPlainTextEdit::textChanged, this, &QWidget::updateGeometry);
    }

    // The height the whole text needs at the box's present width.
    int ContentHeight() const {
        const QTextDocument* doc = document();
        qreal lines = 0;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            lines += doc->documentLayout()->blockBoundingRect(block).height();
        return Chrome() + qCeil(lines);
    }
    QSize sizeHint() const override {
        return {QPlainTextEdit::sizeHint().width(), ContentHeight()};
    }
    QSize minimumSizeHint() const override {
        return {QPlainTextEdit::minimumSizeHint().width(),
                std::min(ContentHeight(), Chrome() + minLines_ * fontMetrics().lineSpacing())};
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QPlainTextEdit::resizeEvent(event);
        // Narrower, the text wraps into more lines.
        if (event->oldSize().width() != event->size().width()) updateGeometry();
    }

  private:
    int Chrome() const {
        const QMargins m = contentsMargins();
        // The document's margin above and below, and a pixel that keeps the last line from
        // counting as partly hidden.
        return m.top() + m.bottom() + 2 * frameWidth() + qCeil(2 * document()->documentMargin()) +
               1;
    }

    int minLines_;
};

}  // namespace

LessonPane::LessonPane(MainWindow& window) : QFrame(&window.Area()), window_(window) {
    setObjectName(QStringLiteral("lessonPane"));
    setFrameShape(QFrame::StyledPanel);
    Build();
    hide();  // until a lesson with steps is opened, or the user asks for it
    window.Area().Layout().SetAside(this);

    QMenu* view = MenuNamed(*window.menuBar(), QStringLiteral("ViewMenu"), QStringLiteral("View"));
    view->addSeparator();
    toggle_ = view->addAction(QStringLiteral("Lesson Pane"));
    toggle_->setCheckable(true);
    toggle_->setObjectName(QStringLiteral("ViewLessonPane"));
    toggle_->setShortcut(QKeySequence(Qt::Key_F9));
    connect(toggle_, &QAction::toggled, this, &LessonPane::SetShown);
    // The window's own actions, so the keys work wherever the focus is, with a panel shown
    // large and in full screen.
    next_ = view->addAction(QStringLiteral("Next Step"));
    next_->setObjectName(QStringLiteral("ViewNextStep"));
    next_->setShortcuts({QKeySequence(Qt::Key_PageDown)});
    connect(next_, &QAction::triggered, this, &LessonPane::Next);
    previous_ = view->addAction(QStringLiteral("Previous Step"));
    previous_->setObjectName(QStringLiteral("ViewPreviousStep"));
    previous_->setShortcuts({QKeySequence(Qt::Key_PageUp)});
    connect(previous_, &QAction::triggered, this, &LessonPane::Previous);
    Refresh();
}

void LessonPane::SetShown(bool shown) {
    if (toggle_->isChecked() != shown) toggle_->setChecked(shown);
    if (isVisible() == shown && isHidden() != shown) return;
    setVisible(shown);
    window_.RelayOut();
}

// The step's words take the pane's height: the question and the answer are as tall as their
// text, the step's text has the rest, and the buttons share two rows with the list and the
// title, so a typical step reads whole in the room the chain leaves at 1280x800.
void LessonPane::Build() {
    QWidget* body = this;
    setMinimumSize(kPaneMinWidth, kPaneMinHeight);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);

    auto* top = new QHBoxLayout;
    top->setSpacing(2);
    list_ = new QComboBox(body);
    list_->setObjectName(QStringLiteral("lessonSteps"));
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list_->setMinimumContentsLength(6);
    list_->setFocusPolicy(Qt::TabFocus);
    top->addWidget(list_, 1);
    connect(list_, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (!refreshing_ && row >= 0) GoTo(static_cast<std::size_t>(row));
    });
    // Short labels: the pane may be narrow; the tooltips say the rest.
    up_ = Button(QStringLiteral("\u25B2"), "lessonMoveUp", body);
    up_->setToolTip(QStringLiteral("Move the step up"));
    down_ = Button(QStringLiteral("\u25BC"), "lessonMoveDown", body);
    down_->setToolTip(QStringLiteral("Move the step down"));
    delete_ = Button(QStringLiteral("\u2715"), "lessonDeleteStep", body);
    delete_->setToolTip(QStringLiteral("Delete the step"));
    for (QPushButton* button : {up_, down_, delete_}) {
        button->setFixedWidth(24);
        top->addWidget(button);
    }
    layout->addLayout(top);
    connect(delete_, &QPushButton::clicked, this, &LessonPane::DeleteStep);
    connect(up_, &QPushButton::clicked, this, [this] { MoveStep(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveStep(1); });

    QFont bold = font();
    bold.setBold(true);
    title_ = new QLineEdit(body);
    title_->setObjectName(QStringLiteral("lessonStepTitle"));
    title_->setPlaceholderText(QStringLiteral("Title"));
    title_->setMaxLength(static_cast<int>(kMaxLessonTitleChars));
    title_->setFont(bold);
    layout->addWidget(title_);
    connect(title_, &QLineEdit::textEdited, this, &LessonPane::TitleEdited);

    text_ = new FittedTextBox("lessonStepText", 3, body);
    text_->setPlaceholderText(QStringLiteral("What the students read at this step"));
    text_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    layout->addWidget(text_, 1);
    connect(text_, &QPlainTextEdit::textChanged, this, &LessonPane::TextEdited);

    // Never taller than their text: the room left goes to the step's text.
    question_ = new FittedTextBox("lessonQuestion", 1, body);
    question_->setPlaceholderText(QStringLiteral("Question (optional)"));
    question_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    QFont italic = question_->font();
    italic.setItalic(true);
    question_->setFont(italic);
    layout->addWidget(question_);
    connect(question_, &QPlainTextEdit::textChanged, this, &LessonPane::QuestionEdited);
    showAnswer_ = Button(QStringLiteral("Show answer"), "lessonShowAnswer", body);
    layout->addWidget(showAnswer_);
    connect(showAnswer_, &QPushButton::clicked, this, &LessonPane::ShowAnswer);
    answer_ = new FittedTextBox("lessonAnswer", 1, body);
    answer_->setPlaceholderText(QStringLiteral("Answer, hidden until asked for"));
    answer_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    layout->addWidget(answer_);
    connect(answer_, &QPlainTextEdit::textChanged, this, &LessonPane::AnswerEdited);

    auto* moves = new QHBoxLayout;
    moves->setSpacing(2);
    previousButton_ = Button(QStringLiteral("Previous"), "lessonPrevious", body);
    nextButton_ = Button(QStringLiteral("Next"), "lessonNext", body);
    previousButton_->setToolTip(QStringLiteral("Page Up"));
    nextButton_->setToolTip(QStringLiteral("Page Down"));
    auto* add = Button(QStringLiteral("Add Step"), "lessonAddStep", body);
    add->setToolTip(QStringLiteral(
        "The window's present settings as a new step after this one; the lesson keeps only "
        "what differs from the step before"));
    for (QPushButton* button : {previousButton_, nextButton_, add}) {
        button->setMinimumWidth(0);
        moves->addWidget(button, 1);
    }
    layout->addLayout(moves);
    connect(previousButton_, &QPushButton::clicked, this, &LessonPane::Previous);
    connect(nextButton_, &QPushButton::clicked, this, &LessonPane::Next);
    connect(add, &QPushButton::clicked, this, &LessonPane::AddStep);
}

void LessonPane::SetLesson(GuidedLesson lesson) {
    lesson_ = std::move(lesson);
    position_ = 0;
    Refresh();
    if (!lesson_.steps.empty()) SetShown(true);
}

GuidedLesson LessonPane::LessonToSave() const {
    GuidedLesson lesson = lesson_;
    if (lesson.steps.empty()) lesson.start = CollectLesson(window_.Model());
    return lesson;
}

LessonStep* LessonPane::Shown() {
    return position_ == 0 ? nullptr : &lesson_.steps[position_ - 1];
}

bool LessonPane::GoTo(std::size_t position) {
    if (position >= lesson_.Positions()) return false;
    // The run control changes only where the step itself changes it: a teacher who paused
    // to talk keeps the picture still.
    const bool runChanges = position > 0 && lesson_.SettingsAt(position).at("run") !=
                                                lesson_.SettingsAt(position - 1).at("run");
    if (position != position_ || position == 0) {
        const auto problem =
            ShowLessonStep(window_.Model(), lesson_, position,
                           runChanges ? LessonRunState::Apply : LessonRunState::Ignore);
        if (problem) {
            ShowWarning(&window_, QStringLiteral("Lesson"), FromUtf8(*problem));
            Refresh();
            return false;
        }
    }
    position_ = position;
    Refresh();
    return true;
}

void LessonPane::Next() {
    if (position_ + 1 < lesson_.Positions()) GoTo(position_ + 1);
}

void LessonPane::Previous() {
    if (position_ > 0) GoTo(position_ - 1);
}

void LessonPane::AddStep() {
    const std::size_t after = lesson_.steps.empty() ? 0 : position_;
    AddLessonStep(lesson_, window_.Model(), after, "Step " + std::to_string(after + 1));
    position_ = after + 1;
    Refresh();
    SetShown(true);
    title_->setFocus();
    title_->selectAll();
}

void LessonPane::DeleteStep() {
    if (position_ == 0) return;
    lesson_.steps.erase(lesson_.steps.begin() + static_cast<std::ptrdiff_t>(position_ - 1));
    // The step before shows what the window showed before the deleted one.
    GoTo(position_ - 1);
    Refresh();
}

// A step keeps every setting it shows wherever it moves: only its place changes.
void LessonPane::MoveStep(int by) {
    if (position_ == 0) return;
    const std::size_t target = by < 0 ? position_ - 1 : position_ + 1;
    if (target == 0 || target > lesson_.steps.size()) return;
    std::swap(lesson_.steps[position_ - 1], lesson_.steps[target - 1]);
    position_ = target;
    Refresh();
}

// The answer takes the button's place.
void LessonPane::ShowAnswer() {
    answer_->setVisible(true);
    showAnswer_->setVisible(false);
}

void LessonPane::TitleEdited(const QString& text) {
    if (refreshing_) return;
    if (LessonStep* step = Shown()) {
        step->title = ToUtf8(text);
    } else {
        lesson_.title = ToUtf8(text);
    }
    FillList();
}

void LessonPane::TextEdited() {
    if (refreshing_) return;
    if (LessonStep* step = Shown()) {
        step->text = ToUtf8(text_->toPlainText());
    } else {
        lesson_.introduction = ToUtf8(text_->toPlainText());
    }
}

void LessonPane::QuestionEdited() {
    if (LessonStep* step = Shown(); step != nullptr && !refreshing_)
        step->question = ToUtf8(question_->toPlainText());
}

void LessonPane::AnswerEdited() {
    if (LessonStep* step = Shown(); step != nullptr && !refreshing_)
        step->answer = ToUtf8(answer_->toPlainText());
}

void LessonPane::FillList() {
    const bool was = refreshing_;
    refreshing_ = true;
    list_->clear();
    list_->addItem(QStringLiteral("Introduction"));
    for (std::size_t i = 0; i < lesson_.steps.size(); ++i)
        list_->addItem(QStringLiteral("%1. %2").arg(i + 1).arg(FromUtf8(lesson_.steps[i].title)));
    list_->setCurrentIndex(static_cast<int>(position_));
    refreshing_ = was;
}

void LessonPane::Refresh() {
    refreshing_ = true;
    FillList();
    list_->setToolTip(lesson_.title.empty() ? QStringLiteral("Lesson") : FromUtf8(lesson_.title));
    const LessonStep* step = Shown();
    title_->setText(FromUtf8(step != nullptr ? step->title : lesson_.title));
    title_->setPlaceholderText(step != nullptr ? QStringLiteral("Step title")
                                               : QStringLiteral("Lesson title"));
    text_->setPlainText(FromUtf8(step != nullptr ? step->text : lesson_.introduction));
    text_->setPlaceholderText(step != nullptr
                                  ? QStringLiteral("What the students read at this step")
                                  : QStringLiteral("Introduction. Add Step takes the window's "
                                                   "settings as a step of the lesson."));
    question_->setVisible(step != nullptr);
    question_->setPlainText(FromUtf8(step != nullptr ? step->question : std::string()));
    const bool hasAnswer = step != nullptr && !step->answer.empty();
    answer_->setPlainText(FromUtf8(hasAnswer ? step->answer : std::string()));
    // The answer stays hidden until asked for; a step without one can be given one.
    answer_->setVisible(step != nullptr && !hasAnswer);
    showAnswer_->setVisible(hasAnswer);
    previousButton_->setEnabled(position_ > 0);
    nextButton_->setEnabled(position_ + 1 < lesson_.Positions());
    next_->setEnabled(position_ + 1 < lesson_.Positions());
    previous_->setEnabled(position_ > 0);
    delete_->setEnabled(step != nullptr);
    up_->setEnabled(position_ > 1);
    down_->setEnabled(step != nullptr && position_ < lesson_.steps.size());
    refreshing_ = false;
}

}  // namespace linelab
