#include "app/qt/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>

#include "app/qt/BathtubWindow.h"
#include "app/qt/BerContours.h"
#include "app/qt/BerCurveWindow.h"
#include "app/qt/CaptionBinder.h"
#include "app/qt/ChainArea.h"
#include "app/qt/CheckBinder.h"
#include "app/qt/HelpTexts.h"
#include "app/qt/HelpWindow.h"
#include "app/qt/LessonActions.h"
#include "app/qt/LessonPane.h"
#include "app/qt/ListBinder.h"
#include "app/qt/Logo.h"
#include "app/qt/MeasureView.h"
#include "app/qt/MenuNamed.h"
#include "app/qt/PanelFrames.h"
#include "app/qt/PicturePanel.h"
#include "app/qt/PresentationView.h"
#include "app/qt/RunStatus.h"
#include "app/qt/SliderBinder.h"
#include "app/qt/TheoryOverlay.h"
#include "app/qt/WindowFit.h"
#include "display/DrawFrame.h"
#include "ui/Form1.h"
#include "ui/FormHost.h"
#include "ui/PanelTable.h"
#include "ui/Readouts.h"
#include "ui/TypedText.h"

namespace linelab {
namespace {

// Space in a list's text box that holds a choice from the list (nothing typed since) is the
// run control's, as anywhere else in the window: a pick does not start typing.
bool SpaceForRunControl(QObject* watched, const QEvent& event) {
    const auto& key = static_cast<const QKeyEvent&>(event);
    if (key.key() != Qt::Key_Space || key.modifiers() != Qt::NoModifier) return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit == nullptr || edit->isModified()) return false;
    auto* combo = qobject_cast<QComboBox*>(edit->parentWidget());
    return combo != nullptr && combo->findText(edit->text()) >= 0;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), form_(std::make_unique<Form1>()) {
    setWindowTitle(QStringLiteral("LineLab"));
    setWindowIcon(LogoIcon());
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("chainScroll"));
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    area_ = new ChainArea(*form_, scroll_);
    scroll_->setWidget(area_);
    stack_ = new QStackedWidget(this);
    stack_->addWidget(scroll_);
    presentation_ = new PresentationView(stack_);
    stack_->addWidget(presentation_);
    setCentralWidget(stack_);
    connect(presentation_, &PresentationView::Done, this, &MainWindow::EndPresentation);
    status_ = std::make_unique<RunStatus>(statusBar());
    Bind();
    BuildMenus();
    lessons_ = new LessonActions(*this);
    pane_ = new LessonPane(*this);
    const ControlWidgets& w = Widgets();
    // The measurements sit between the model and the panels (they attach the canvases).
    measure_ = new MeasureView(*this, *form_, area_->Widgets(),
                               {[this] {
                                    FlushPanels();
                                    AfterAction();
                                },
                                [this] { ApplyTimer(form_->Timer()); },
                                [this](std::optional<double> fastRate) {
                                    status_->SetFastRate(fastRate);
                                    status_->Update(*form_);
                                }});
    measure_->AddViewItems(
        *MenuNamed(*menuBar(), QStringLiteral("ViewMenu"), QStringLiteral("View")));
    measure_->AddRunItems(*MenuNamed(*menuBar(), QStringLiteral("RunMenu"), QStringLiteral("Run")));
    theory_ = new TheoryOverlay(
        *form_, *w.Picture(PictureId::picTxSpectrum), *w.Picture(PictureId::picChannelSpectrum),
        [this](const QString& note) {
            // An empty note takes back only the theory's own.
            if (!note.isEmpty() || status_->Note().startsWith(QStringLiteral("Theory:")))
                status_->ShowNote(note);
        },
        this);
    theory_->AddViewItem(
        *MenuNamed(*menuBar(), QStringLiteral("ViewMenu"), QStringLiteral("View")));
    (new BerContours(*form_, *measure_, this))
        ->AddViewItem(*MenuNamed(*menuBar(), QStringLiteral("ViewMenu"), QStringLiteral("View")));
    QAction* curve = MenuNamed(*menuBar(), QStringLiteral("ToolsMenu"), QStringLiteral("Tools"))
                         ->addAction(QStringLiteral("BER Curve"));
    curve->setObjectName(QStringLiteral("ToolsBerCurve"));
    curve->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(curve, &QAction::triggered, this, &MainWindow::ShowBerCurve);
    // The bathtub moves the sliders as a drag of them does.
    auto* bathtub = new BathtubWindow(
        *form_, [this](SliderId id, int value) { Widgets().Slider(id)->setValue(value); }, this);
    QAction* tub = MenuNamed(*menuBar(), QStringLiteral("ToolsMenu"), QStringLiteral("Tools"))
                       ->addAction(QStringLiteral("Bathtub"));
    tub->setObjectName(QStringLiteral("ToolsBathtub"));
    connect(tub, &QAction::triggered, bathtub, [bathtub] {
        bathtub->show();
        bathtub->raise();
    });
    // Every eye is scaled by the transmit eye's size, also in scenes that hide it and
    // show the channel eye in its place.
    w.Picture(PictureId::picTxEye)->SetStandIn(w.Picture(PictureId::picChannelEye));
    // The receive eye's thresholds and sampling instant stay on top of its traces: with each
    // run it draws, the eye takes the markers the eye routine drew for that run's thresholds.
    PicturePanel* rxEye = w.Picture(PictureId::picRxEye);
    rxEye->SetMarkerColour(kGreen);
    rxEye->SetMarkerSource([this, rxEye] {
        const RunState& s = form_->State();
        return EyeMarkersOf(EyePanel::Rx, s.dThresholds, EyeViewOf(form_->Controls(), s.dBaudRate),
                            rxEye->ScaleWidth(), rxEye->ScaleHeight());
    });
    for (PicturePanel* panel : w.pictures) {
        connect(panel, &PicturePanel::Resized, this, &MainWindow::QueueStripRepaint);
        connect(panel, &PicturePanel::Present, this, [this, panel] { Present(panel); });
    }
    presentation_->SetReadout([this](const PicturePanel& panel) {
        const ControlWidgets& cw = Widgets();
        if (&panel != cw.Picture(PictureId::picRxEye) || cw.Label(LabelId::lblBER)->isHidden())
            return QString();
        QStringList lines{cw.Label(LabelId::lblBER)->text()};
        // The readouts standing under the caption, as they show now.
        const auto table = Readouts();
        for (std::size_t i = 0; i < table.size() && i < cw.readouts.size(); ++i) {
            const QLabel* readout = cw.readouts[i];
            if (table[i].anchor == "lblBER" && !readout->isHidden() && !readout->text().isEmpty())
                lines << readout->text();
        }
        return lines.join(QLatin1Char('\n'));
    });
    baseFont_ = font();
    baseBerFont_ = w.Label(LabelId::lblBER)->font();
    form_->SetObserver(this);
    SyncAll();
    area_->Layout().Build();
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::Tick);
    ApplyTimer(form_->Timer());
    RefreshFrames();
    FitToScreen();
    w.pause->setFocus();
    qApp->installEventFilter(this);
}

void MainWindow::FitToScreen() {
    const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const QRect available = where != nullptr ? where->availableGeometry() : QRect();
    // The frame is known once the window exists; before that it counts as none.
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    const QRect outer = InitialGeometry(available, DefaultSize().grownBy(frame));
    setGeometry(outer.marginsRemoved(frame));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (fitted_) return;
    fitted_ = true;
    FitToScreen();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    timer1_.stop();
    delete berCurve_;  // cancels its sweep and waits for the workers
    berCurve_ = nullptr;
    delete measure_;  // gives the model its canvases back before the panels go
    measure_ = nullptr;
    form_->SetObserver(nullptr);
    for (const PanelDescriptor& panel : kPanelTable)
        form_->AttachCanvas(panel.picture, nullptr);
    // The widgets outlive the model by a moment: nothing they say may reach it.
    for (QObject* child : area_->findChildren<QObject*>())
        child->blockSignals(true);
}

const ControlWidgets& MainWindow::Widgets() const {
    return area_->Widgets();
}

void MainWindow::Bind() {
    const auto after = [this] { AfterAction(); };
    lists_ = std::make_unique<ListBinder>(*form_, Widgets(), after);
    checks_ = std::make_unique<CheckBinder>(*form_, Widgets(), after);
    sliders_ = std::make_unique<SliderBinder>(*form_, Widgets(), after);
    captions_ = std::make_unique<CaptionBinder>(*form_, Widgets(), after);
    lists_->SetTypedHook([this](ListId id, const std::string& text) { Typed(id, text); });
    lists_->Connect();
    checks_->Connect();
    sliders_->Connect();
    captions_->Connect();
    for (const PanelDescriptor& d : kPanelTable) {
        const PictureId id = d.picture;
        PicturePanel* panel = Widgets().Picture(id);
        connect(panel, &PicturePanel::Clicked, this, [this, id] {
            form_->ClickPicture(id);
            AfterAction();
        });
    }
}

void MainWindow::SyncAll() {
    for (ControlRef control : AllControls())
        SyncControl(control);
}

void MainWindow::SyncControl(ControlRef control) {
    switch (control.kind) {
        case ControlKind::List:
            lists_->Sync(static_cast<ListId>(control.index));
            break;
        case ControlKind::CheckBox:
            checks_->Sync(static_cast<CheckId>(control.index));
            break;
        case ControlKind::Slider:
            sliders_->Sync(static_cast<SliderId>(control.index));
            break;
        case ControlKind::Label:
            captions_->SyncLabel(static_cast<LabelId>(control.index));
            break;
        case ControlKind::Button:
            captions_->SyncPause();
            if (runControl_ != nullptr) runControl_->setText(Widgets().pause->text());
            status_->Update(*form_);
            break;
        case ControlKind::Picture:
            break;
        case ControlKind::Decoration:
            area_->update();
            break;
        case ControlKind::Timer:
            return;
    }
    if (QWidget* widget = Widgets().WidgetOf(control)) {
        const bool visible = form_->Visible(control);
        if (widget->isHidden() == visible) {
            widget->setVisible(visible);
            layoutPending_ = true;
        }
    }
}

// A View option switched by a lesson (a switch from the menu comes back here too, and
// changes nothing more).
void MainWindow::ViewOptionChanged(ViewOption option, bool on) {
    switch (option) {
        case ViewOption::DensityEyes:
            if (measure_->Model().Density() != on) measure_->SetDensity(on);
            break;
        case ViewOption::EyeOpening:
            if (measure_->EyeOpening() != on) measure_->SetEyeOpening(on);
            break;
        case ViewOption::Theory:
            if (theory_->On() != on) theory_->SetOn(on);
            break;
    }
}

void MainWindow::ControlChanged(ControlRef control, std::string_view) {
    SyncControl(control);
    if (control == ControlRef(ListId::cmbScene)) layoutPending_ = true;
    if (layoutPending_ && !layoutQueued_) {
        // Changes that no user action started still get their layout.
        layoutQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                layoutQueued_ = false;
                AfterAction();
            },
            Qt::QueuedConnection);
    }
}

// A scene is laid out once its controls are shown and hidden; within a scene only the
// column widths follow what is visible.
void MainWindow::AfterAction() {
    if (measure_ != nullptr) measure_->Refresh();
    RefreshFrames();  // titles, hints and the status follow every action
    if (!layoutPending_) return;
    layoutPending_ = false;
    ChainLayout& layout = area_->Layout();
    // The compact layout gives the strips both columns when no list is shown beside them:
    // what is shown there decides its shape, so it is built again (File > Reset included).
    if (layout.Scene() != form_->SceneIndex() || !layout.Full()) {
        layout.Build();
    } else {
        layout.EqualizeColumns();
    }
    area_->update();
}

void MainWindow::RelayOut() {
    area_->Layout().Build();
    AfterAction();
    QMetaObject::invokeMethod(
        this, [this] { RefreshFrames(); }, Qt::QueuedConnection);
}

void MainWindow::RefreshFrames() {
    UpdatePanelFrames(*form_, Widgets());
    if (theory_ != nullptr) theory_->Follow();
    status_->Update(*form_);
}

// A strip stretched to a new size is drawn again from the last run, once for all panels.
void MainWindow::QueueStripRepaint() {
    if (stripRepaintQueued_) return;
    stripRepaintQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            stripRepaintQueued_ = false;
            form_->RepaintStrips();
            FlushPanels();
        },
        Qt::QueuedConnection);
}

void MainWindow::Tick() {
    measure_->Tick();
    status_->Ran();
    FlushPanels();
    AfterAction();
}

void MainWindow::Reset() {
    form_->Reset();
    FlushPanels();
    layoutPending_ = true;
    AfterAction();
    status_->ShowNote(QStringLiteral("Back to the start-up settings"));
}

void MainWindow::Typed(ListId id, const std::string& text) {
    status_->ShowNote(QString::fromStdString(TypedNote(*form_, id, text)));
}

// A press anywhere in the window outside the box being edited (panels included) applies the
// typed text, as leaving the box does: the box never shows a value that is not in effect.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == scroll_->viewport()) {
        area_->Layout().SetAvailableWidth(scroll_->viewport()->width());
        return false;
    }
    if (event->type() == QEvent::KeyPress && SpaceForRunControl(watched, *event) &&
        static_cast<QWidget*>(watched)->window() == this) {
        Widgets().pause->click();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress) return QMainWindow::eventFilter(watched, event);
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    auto* pressed = qobject_cast<QWidget*>(watched);
    if (edit == nullptr || pressed == nullptr || edit->window() != this) return false;
    auto* combo = qobject_cast<QComboBox*>(edit->parentWidget());
    if (combo == nullptr) return false;
    for (QWidget* w = pressed; w != nullptr; w = w->parentWidget()) {
        if (w == combo) return false;  // its own arrow or list: still editing
    }
    edit->clearFocus();  // finishes the editing, which applies the text
    return false;
}

void MainWindow::Present(PicturePanel* panel) {
    if (panel == nullptr) return;
    presentation_->Show(panel);
    stack_->setCurrentWidget(presentation_);
    presentation_->setFocus();
}

void MainWindow::EndPresentation() {
    if (!Presenting()) return;
    PicturePanel* shown = presentation_->Panel();
    presentation_->Show(nullptr);
    stack_->setCurrentWidget(scroll_);
    if (shown != nullptr && shown->isVisible()) shown->setFocus();
}

bool MainWindow::Presenting() const {
    return stack_->currentWidget() == presentation_;
}

void MainWindow::ToggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
    if (fullScreen_ != nullptr) fullScreen_->setChecked(isFullScreen());
}

void MainWindow::ApplyScene(int index) {
    form_->ApplyScene(index);
    AfterAction();
}

void MainWindow::FlushPanels() {
    for (PicturePanel* panel : Widgets().pictures)
        panel->Flush();
}

void MainWindow::TimerChanged(const TimerControl& timer) {
    ApplyTimer(timer);
    status_->Update(*form_);
}

void MainWindow::ApplyTimer(const TimerControl& timer) {
    if (openMessages_ > 0) return;  // restored from the model when the box closes
    if (measure_ != nullptr && measure_->TakesTimer(timer)) {
        timer1_.stop();  // the fast loop runs instead
        return;
    }
    if (!timer.enabled) {
        timer1_.stop();
        return;
    }
    if (timer1_.interval() != timer.interval) timer1_.setInterval(timer.interval);
    if (!timer1_.isActive()) timer1_.start();
}

void MainWindow::Report(std::string_view message, bool) {
    // Whether or not the message stops the run, no tick may start while the box is open;
    // afterwards the timer is whatever the model says (stopped, for a message that stops
    // it: the model disabled it before reporting).
    timer1_.stop();
    if (measure_ != nullptr) measure_->Hold();
    ++openMessages_;
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    --openMessages_;
    ApplyTimer(form_->Timer());
}

void MainWindow::ShowBerCurve() {
    if (berCurve_ == nullptr) {
        berCurve_ = new BerCurveWindow(*form_, this);
        if (zoomStyle_ != nullptr) ZoomWidgets(*berCurve_);  // before it measures its column
        berCurve_->SetZoom(Zoom());
    }
    berCurve_->show();
    berCurve_->raise();
    berCurve_->activateWindow();
}

void MainWindow::ShowAbout() {
    if (about_ == nullptr)
        about_ = new HelpWindow(QStringLiteral("About LineLab"), AboutText(), this);
    about_->ShowOver(this);
}

void MainWindow::ShowInstructions() {
    if (instructions_ == nullptr)
        instructions_ =
            new HelpWindow(QStringLiteral("LineLab Instructions"), InstructionsText(), this);
    instructions_->ShowOver(this);
}

}  // namespace linelab
