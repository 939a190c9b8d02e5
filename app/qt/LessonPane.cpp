#include "app/qt/LessonPane.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "app/qt/MainWindow.h"
#include "app/qt/MenuNamed.h"
#include "app/qt/WarningBox.h"

namespace linelab {
namespace {

// Wide enough for a step's text to read as a paragraph, narrow enough that the pictures keep
// their room on a 1280x800 screen.
constexpr int kPaneWidth = 230;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

QPlainTextEdit* TextBox(const char* name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setTabChangesFocus(true);
    box->setFrameShape(QFrame::NoFrame);
    return box;
}

}  // namespace

LessonPane::LessonPane(MainWindow& window)
    : QDockWidget(QStringLiteral("Lesson"), &window), window_(window) {
    setObjectName(QStringLiteral("lessonPane"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    Build();
    window.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();  // until a lesson with steps is opened, or the user asks for it

    QMenu* view = MenuNamed(*window.menuBar(), QStringLiteral("ViewMenu"), QStringLiteral("View"));
    view->addSeparator();
    toggle_ = toggleViewAction();
    toggle_->setText(QStringLiteral("Lesson Pane"));
    toggle_->setObjectName(QStringLiteral("ViewLessonPane"));
    toggle_->setShortcut(QKeySequence(Qt::Key_F9));
    view->addAction(toggle_);
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

void LessonPane::Build() {
    auto* body = new QWidget(this);
    body->setMinimumWidth(kPaneWidth);
    body->setMaximumWidth(kPaneWidth + 120);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(6, 4, 6, 4);
    heading_ = new QLabel(body);
    heading_->setObjectName(QStringLiteral("lessonTitle"));
    heading_->setTextFormat(Qt::PlainText);
    heading_->setWordWrap(true);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    layout->addWidget(heading_);

    list_ = new QListWidget(body);
    list_->setObjectName(QStringLiteral("lessonSteps"));
    list_->setMaximumHeight(110);
    layout->addWidget(list_);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!refreshing_ && row >= 0) GoTo(static_cast<std::size_t>(row));
    });

    auto* edits = new QHBoxLayout;
    up_ = Button(QStringLiteral("Up"), "lessonMoveUp", body);
    down_ = Button(QStringLiteral("Down"), "lessonMoveDown", body);
    delete_ = Button(QStringLiteral("Delete"), "lessonDeleteStep", body);
    auto* add = Button(QStringLiteral("Add Step"), "lessonAddStep", body);
    add->setToolTip(QStringLiteral(
        "The window's present settings as a new step after this one; the lesson keeps only "
        "what differs from the step before"));
    for (QPushButton* button : {add, up_, down_, delete_})
        edits->addWidget(button);
    layout->addLayout(edits);
    connect(add, &QPushButton::clicked, this, &LessonPane::AddStep);
    connect(delete_, &QPushButton::clicked, this, &LessonPane::DeleteStep);
    connect(up_, &QPushButton::clicked, this, [this] { MoveStep(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveStep(1); });

    title_ = new QLineEdit(body);
    title_->setObjectName(QStringLiteral("lessonStepTitle"));
    title_->setPlaceholderText(QStringLiteral("Title"));
    title_->setMaxLength(static_cast<int>(kMaxLessonTitleChars));
    title_->setFont(bold);
    layout->addWidget(title_);
    connect(title_, &QLineEdit::textEdited, this, &LessonPane::TitleEdited);

    text_ = TextBox("lessonStepText", body);
    text_->setPlaceholderText(QStringLiteral("What the students read at this step"));
    layout->addWidget(text_, 3);
    connect(text_, &QPlainTextEdit::textChanged, this, &LessonPane::TextEdited);

    question_ = new QLineEdit(body);
    question_->setObjectName(QStringLiteral("lessonQuestion"));
    question_->setPlaceholderText(QStringLiteral("Question (optional)"));
    layout->addWidget(question_);
    connect(question_, &QLineEdit::textEdited, this, &LessonPane::QuestionEdited);
    showAnswer_ = Button(QStringLiteral("Show answer"), "lessonShowAnswer", body);
    layout->addWidget(showAnswer_);
    connect(showAnswer_, &QPushButton::clicked, this, &LessonPane::ShowAnswer);
    answer_ = TextBox("lessonAnswer", body);
    answer_->setPlaceholderText(QStringLiteral("Answer, hidden until asked for"));
    layout->addWidget(answer_, 1);
    connect(answer_, &QPlainTextEdit::textChanged, this, &LessonPane::AnswerEdited);

    auto* moves = new QHBoxLayout;
    previousButton_ = Button(QStringLiteral("Previous"), "lessonPrevious", body);
    nextButton_ = Button(QStringLiteral("Next"), "lessonNext", body);
    previousButton_->setToolTip(QStringLiteral("Page Up"));
    nextButton_->setToolTip(QStringLiteral("Page Down"));
    moves->addWidget(previousButton_);
    moves->addWidget(nextButton_);
    layout->addLayout(moves);
    connect(previousButton_, &QPushButton::clicked, this, &LessonPane::Previous);
    connect(nextButton_, &QPushButton::clicked, this, &LessonPane::Next);
    setWidget(body);
}

void LessonPane::SetLesson(GuidedLesson lesson) {
    lesson_ = std::move(lesson);
    position_ = 0;
    Refresh();
    if (!lesson_.steps.empty()) show();
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
    show();
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

void LessonPane::ShowAnswer() {
    answer_->setVisible(true);
    showAnswer_->setEnabled(false);
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

void LessonPane::QuestionEdited(const QString& text) {
    if (LessonStep* step = Shown(); step != nullptr && !refreshing_) step->question = ToUtf8(text);
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
    list_->setCurrentRow(static_cast<int>(position_));
    refreshing_ = was;
}

void LessonPane::Refresh() {
    refreshing_ = true;
    FillList();
    heading_->setText(lesson_.title.empty() ? QStringLiteral("Lesson") : FromUtf8(lesson_.title));
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
    question_->setText(FromUtf8(step != nullptr ? step->question : std::string()));
    const bool hasAnswer = step != nullptr && !step->answer.empty();
    answer_->setPlainText(FromUtf8(hasAnswer ? step->answer : std::string()));
    // The answer stays hidden until asked for; a step without one can be given one.
    answer_->setVisible(step != nullptr && !hasAnswer);
    showAnswer_->setVisible(hasAnswer);
    showAnswer_->setEnabled(hasAnswer);
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
