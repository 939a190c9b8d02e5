#pragma once
// The main window: the form model's view. It owns the model, binds every control widget
// to it both ways, runs Timer1 as the model says, shows the model's messages in a modal
// box (with no tick while the box is open) and opens the two help windows.

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "ui/FormObserver.h"
#include "ui/qt/ControlWidgets.h"

namespace linelab {

class BerCurveWindow;
class CaptionBinder;
class ChainArea;
class CheckBinder;
class Form1;
class HelpWindow;
class LessonActions;
class ListBinder;
class MeasureView;
class SliderBinder;

class MainWindow : public QMainWindow, public FormObserver {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The size the window opens at; every scene fits in it.
    static QSize DefaultSize() { return QSize(1200, 780); }

    Form1& Model() { return *form_; }
    const ControlWidgets& Widgets() const;
    ChainArea& Area() { return *area_; }
    QTimer& Timer1() { return timer1_; }
    MeasureView& Measures() { return *measure_; }

    // One tick of Timer1: a run of the model, then every panel's collected lines drawn.
    void Tick();
    // Lays out scene `index` as a pick in the scene list does.
    void ApplyScene(int index);

    void ShowAbout();         // HelpAbout
    void ShowInstructions();  // HelpInstructions
    void ShowBerCurve();      // Tools > BER Curve
    BerCurveWindow* BerCurve() const { return berCurve_; }
    HelpWindow* AboutWindow() const { return about_; }
    HelpWindow* InstructionsWindow() const { return instructions_; }
    LessonActions& Lessons() { return *lessons_; }  // File > lessons, pictures

    // FormObserver
    void ControlChanged(ControlRef control, std::string_view name) override;
    void TimerChanged(const TimerControl& timer) override;
    void Report(std::string_view message, bool stopsTimer) override;

  private:
    void BuildMenu();
    void Bind();
    void SyncAll();
    void SyncControl(ControlRef control);
    void AfterAction();
    void ApplyTimer(const TimerControl& timer);
    void FlushPanels();

    std::unique_ptr<Form1> form_;
    ChainArea* area_ = nullptr;
    std::unique_ptr<ListBinder> lists_;
    std::unique_ptr<CheckBinder> checks_;
    std::unique_ptr<SliderBinder> sliders_;
    std::unique_ptr<CaptionBinder> captions_;
    MeasureView* measure_ = nullptr;
    BerCurveWindow* berCurve_ = nullptr;
    QTimer timer1_;
    int openMessages_ = 0;
    bool layoutPending_ = false;
    bool layoutQueued_ = false;
    HelpWindow* about_ = nullptr;
    HelpWindow* instructions_ = nullptr;
    LessonActions* lessons_ = nullptr;
};

}  // namespace linelab
