#include "app/qt/RunStatus.h"

#include <QLabel>
#include <QStatusBar>

#include "ui/Form1.h"
#include "ui/RunStatusText.h"

namespace linelab {
namespace {

constexpr qint64 kRateWindowMs = 2000;
constexpr int kNoteMs = 10000;

// Each field is as wide as its widest text, so a changing number never relayouts the bar.
QLabel* Field(QStatusBar* bar, const char* name, const QString& widest) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 6);
    bar->addPermanentWidget(label);
    return label;
}

}  // namespace

RunStatus::RunStatus(QStatusBar* bar) : bar_(bar) {
    state_ = Field(bar, "statusRun", QStringLiteral("Running"));
    rate_ = Field(bar, "statusRate", QStringLiteral("888.8 runs/s"));
    runs_ = Field(bar, "statusRuns", QStringLiteral("BER over 8888888888 runs"));
    clock_.start();
}

void RunStatus::AddField(QWidget* field) {
    bar_->addPermanentWidget(field);
}

void RunStatus::Ran() {
    const qint64 now = clock_.elapsed();
    recent_.push_back(now);
    while (!recent_.empty() && recent_.front() < now - kRateWindowMs)
        recent_.pop_front();
}

double RunStatus::RunsPerSecond() const {
    const qint64 now = clock_.elapsed();
    int count = 0;
    for (qint64 t : recent_)
        count += t >= now - kRateWindowMs ? 1 : 0;
    return count * 1000.0 / kRateWindowMs;
}

void RunStatus::Update(const Form1& form) {
    const double measured = fastRate_ ? *fastRate_ : RunsPerSecond();
    const RunStatusTexts texts = RunStatusTextsOf(form, fastRate_.has_value(), measured);
    const auto show = [](QLabel* field, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        if (field->text() != shown) field->setText(shown);
    };
    show(state_, texts.state);
    show(rate_, texts.rate);
    show(runs_, texts.runs);
}

void RunStatus::ShowNote(const QString& note) {
    if (note.isEmpty()) {
        bar_->clearMessage();
    } else {
        bar_->showMessage(note, kNoteMs);
    }
}

QString RunStatus::StateText() const {
    return state_->text();
}

QString RunStatus::RateText() const {
    return rate_->text();
}

QString RunStatus::RunsText() const {
    return runs_->text();
}

QString RunStatus::Note() const {
    return bar_->currentMessage();
}

}  // namespace linelab
