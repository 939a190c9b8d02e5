#pragma once
// The window's status bar: whether the simulation is running, paused or slow, how many runs
// it makes a second, how many runs the running bit error rate counts, and short notes (what
// a typed text means). Other readouts join it as fields of their own.

#include <QElapsedTimer>
#include <QString>
#include <deque>
#include <optional>

class QLabel;
class QStatusBar;
class QWidget;

namespace linelab {

class Form1;

class RunStatus {
  public:
    explicit RunStatus(QStatusBar* bar);

    // Adds a permanent field after the run fields (e.g. another readout).
    void AddField(QWidget* field);
    // After every tick and every change of run control.
    void Ran();
    void Update(const Form1& form);
    void ShowNote(const QString& note);
    // While Run > "Fast" is on its runs do not come through Ran(): the fast loop's own rate
    // is shown instead, and the state says "Fast". nullopt when Fast is off.
    void SetFastRate(std::optional<double> runsPerSecond) { fastRate_ = runsPerSecond; }

    QString StateText() const;
    QString RateText() const;
    QString RunsText() const;
    QString Note() const;

  private:
    double RunsPerSecond() const;

    QStatusBar* bar_;
    QLabel* state_;
    QLabel* rate_;
    QLabel* runs_;
    QElapsedTimer clock_;
    std::deque<qint64> recent_;
    std::optional<double> fastRate_;  // times of the runs of the last two seconds, in ms
};

}  // namespace linelab
