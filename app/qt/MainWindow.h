#pragma once
// The main window: the form model's view. It owns the model, binds every control widget
// to it both ways, runs Timer1 as the model says, shows the model's messages in a modal
// box (with no tick while the box is open) and opens the two help windows. The chain area
// sits in a scroll area, so a screen smaller than a scene's layout still reaches every
// control. Menus are built in Menus.cpp; other parts of the view add their own actions to
// them through Menu().

#include <QFont>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>
#include <string>

#include "app/qt/ControlWidgets.h"
#include "ui/FormObserver.h"

class QScrollArea;
class QStackedWidget;

namespace linelab {

class BerCurveWindow;
class CaptionBinder;
class RunStatus;
class ChainArea;
class CheckBinder;
class Form1;
class HelpWindow;
class LessonActions;
class LessonPane;
class ListBinder;
class MeasureView;
class PicturePanel;
class PresentationView;
class SliderBinder;
class TheoryOverlay;
class ZoomStyle;

enum class WindowMenu { File, Edit, View, Run, Help };

class MainWindow : public QMainWindow, public FormObserver {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The size the window opens at where the screen has room; every scene fits in it.
    static QSize DefaultSize() { return QSize(1200, 780); }
    // Opens within the available area of the window's screen, centred.
    void FitToScreen();

    Form1& Model() { return *form_; }
    const ControlWidgets& Widgets() const;
    ChainArea& Area() { return *area_; }
    QTimer& Timer1() { return timer1_; }
    MeasureView& Measures() { return *measure_; }
    TheoryOverlay& Theory() { return *theory_; }

    // One tick of Timer1: a run of the model, then every panel's collected lines drawn.
    void Tick();
    // Lays out scene `index` as a pick in the scene list does.
    void ApplyScene(int index);

    void ShowAbout();         // HelpAbout
    void ShowInstructions();  // HelpInstructions
    void ShowBerCurve();      // Tools > BER Curve
    BerCurveWindow* BerCurve() const { return berCurve_; }
    void Reset();  // File > Reset: the start-up settings, as at launch

    // The window's menus. An Edit menu stays out of the menu bar until it holds an action;
    // QuitAction() ends the File menu, so others insert their actions before it.
    QMenu* Menu(WindowMenu menu) const;
    QAction* QuitAction() const { return quit_; }
    RunStatus& Status() { return *status_; }

    // Presentation size: fonts, controls and traces scaled together.
    void ZoomIn();
    void ZoomOut();
    void ZoomActual();
    qreal Zoom() const;
    // View > High Contrast: the projector palette on every panel.
    void SetHighContrast(bool on);
    bool HighContrast() const;
    HelpWindow* AboutWindow() const { return about_; }
    HelpWindow* InstructionsWindow() const { return instructions_; }
    LessonActions& Lessons() { return *lessons_; }  // File > lessons, pictures
    LessonPane& Pane() { return *pane_; }
    // Lays the chain out again, as after a scene change (the lesson pane shown or hidden).
    void RelayOut();  // the guided lesson beside the chain

    // Presentation: one panel shown large, filling the window, until Esc or a double click;
    // View > Full Screen (F11) toggles the window's full screen.
    void Present(PicturePanel* panel);
    void EndPresentation();
    PresentationView& Presentation() { return *presentation_; }
    bool Presenting() const;
    void ToggleFullScreen();

    // FormObserver
    void ControlChanged(ControlRef control, std::string_view name) override;
    void TimerChanged(const TimerControl& timer) override;
    void ViewOptionChanged(ViewOption option, bool on) override;
    void Report(std::string_view message, bool stopsTimer) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildMenus();
    void BuildFileMenu();
    void BuildViewMenu();
    void BuildPresentMenu(QMenu* view);
    void BuildRunMenu();
    void BuildHelpMenu();
    void ApplyZoom(int step);
    // The zoom's style and font on `root` and every widget in it (a window made later too).
    void ZoomWidgets(QWidget& root);
    void Typed(ListId id, const std::string& text);
    void QueueStripRepaint();
    void RefreshFrames();
    void Bind();
    void SyncAll();
    void SyncControl(ControlRef control);
    void AfterAction();
    void ApplyTimer(const TimerControl& timer);
    void FlushPanels();

    std::unique_ptr<Form1> form_;
    ChainArea* area_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    PresentationView* presentation_ = nullptr;
    QAction* fullScreen_ = nullptr;
    QAction* highContrast_ = nullptr;
    std::unique_ptr<RunStatus> status_;
    std::array<QMenu*, 5> menus_{};
    QAction* quit_ = nullptr;
    QAction* runControl_ = nullptr;
    QFont baseFont_;
    QFont baseBerFont_;
    int zoomStep_ = 0;
    ZoomStyle* zoomStyle_ = nullptr;  // from the first step away from actual size
    bool stripRepaintQueued_ = false;
    bool fitted_ = false;  // placed on its screen when first shown
    std::unique_ptr<ListBinder> lists_;
    std::unique_ptr<CheckBinder> checks_;
    std::unique_ptr<SliderBinder> sliders_;
    std::unique_ptr<CaptionBinder> captions_;
    MeasureView* measure_ = nullptr;
    TheoryOverlay* theory_ = nullptr;
    BerCurveWindow* berCurve_ = nullptr;
    QTimer timer1_;
    int openMessages_ = 0;
    bool layoutPending_ = false;
    bool layoutQueued_ = false;
    HelpWindow* about_ = nullptr;
    HelpWindow* instructions_ = nullptr;
    LessonActions* lessons_ = nullptr;
    LessonPane* pane_ = nullptr;
};

}  // namespace linelab
