// The window's menus: File (Reset, Quit), Edit (filled by others), View (presentation
// size), Run (the run-control button on Space) and Help (Instructions on F1, About).

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QtMath>
#include <algorithm>
#include <array>

#include "app/qt/BerCurveWindow.h"
#include "app/qt/ChainArea.h"
#include "app/qt/ClickLabel.h"
#include "app/qt/MainWindow.h"
#include "app/qt/PanelFrames.h"
#include "app/qt/PicturePanel.h"
#include "app/qt/ZoomStyle.h"
#include "ui/PanelTable.h"

namespace linelab {
namespace {

// Presentation sizes, from a little smaller than the desktop's to twice it.
constexpr std::array<qreal, 8> kZoomFactors = {0.8, 0.9, 1.0, 1.15, 1.3, 1.5, 1.75, 2.0};
constexpr int kActualSize = 2;

// A menu that stays out of the menu bar until something adds an action to it.
class ShowWhenFilled : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ActionAdded) {
            if (auto* menu = qobject_cast<QMenu*>(watched)) menu->menuAction()->setVisible(true);
        }
        return false;
    }
};

QAction* AddAction(QMenu* menu, const QString& text, const char* name, QKeySequence keys) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) action->setShortcut(keys);
    return action;
}

}  // namespace

QMenu* MainWindow::Menu(WindowMenu menu) const {
    return menus_[static_cast<std::size_t>(menu)];
}

void MainWindow::BuildMenus() {
    BuildFileMenu();
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    edit->menuAction()->setVisible(false);
    edit->installEventFilter(new ShowWhenFilled(edit));
    menus_[static_cast<std::size_t>(WindowMenu::Edit)] = edit;
    BuildViewMenu();
    BuildRunMenu();
    BuildHelpMenu();
}

void MainWindow::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    menus_[static_cast<std::size_t>(WindowMenu::File)] = file;
    QAction* reset = AddAction(file, QStringLiteral("&Reset"), "FileReset", QKeySequence());
    reset->setStatusTip(QStringLiteral("Back to the settings the program starts with"));
    connect(reset, &QAction::triggered, this, &MainWindow::Reset);
    file->addSeparator();
    quit_ = AddAction(file, QStringLiteral("&Quit"), "FileQuit", QKeySequence::Quit);
    quit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));  // also where the platform has none
    connect(quit_, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::BuildViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    menus_[static_cast<std::size_t>(WindowMenu::View)] = view;
    QAction* in = AddAction(view, QStringLiteral("Zoom &In"), "ViewZoomIn", QKeySequence());
    // Ctrl++ is typed as Ctrl+= on most keyboards; both work.
    in->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(in, &QAction::triggered, this, &MainWindow::ZoomIn);
    QAction* out = AddAction(view, QStringLiteral("Zoom &Out"), "ViewZoomOut",
                             QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(out, &QAction::triggered, this, &MainWindow::ZoomOut);
    QAction* actual = AddAction(view, QStringLiteral("&Actual Size"), "ViewActualSize",
                                QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(actual, &QAction::triggered, this, &MainWindow::ZoomActual);
    view->addSeparator();
    fullScreen_ = AddAction(view, QStringLiteral("&Full Screen"), "ViewFullScreen",
                            QKeySequence(Qt::Key_F11));
    fullScreen_->setCheckable(true);
    connect(fullScreen_, &QAction::triggered, this, &MainWindow::ToggleFullScreen);
    // For a projector: the markers in a colour that holds on a washed-out screen.
    highContrast_ =
        AddAction(view, QStringLiteral("&High Contrast"), "ViewHighContrast", QKeySequence());
    highContrast_->setCheckable(true);
    highContrast_->setStatusTip(QStringLiteral(
        "Markers and the stored spectrum in colours that hold on a projector and for "
        "colour-blind eyes"));
    connect(highContrast_, &QAction::toggled, this, &MainWindow::SetHighContrast);
    BuildPresentMenu(view);
}

// View > Show Large: every panel the scene shows, as a double click on it does.
void MainWindow::BuildPresentMenu(QMenu* view) {
    // Esc leaves a panel shown large wherever the focus is; it takes the key only then.
    QAction* back = AddAction(view, QStringLiteral("Back to the Whole Window"), "ViewEndLarge",
                              QKeySequence(Qt::Key_Escape));
    back->setEnabled(false);
    connect(back, &QAction::triggered, this, &MainWindow::EndPresentation);
    connect(stack_, &QStackedWidget::currentChanged, back,
            [this, back] { back->setEnabled(Presenting()); });
    QMenu* large = view->addMenu(QStringLiteral("Show &Large"));
    large->setObjectName(QStringLiteral("ViewShowLarge"));
    connect(large, &QMenu::aboutToShow, this, [this, large] {
        large->clear();
        for (const PanelDescriptor& d : kPanelTable) {
            PicturePanel* panel = Widgets().Picture(d.picture);
            if (panel->isHidden()) continue;
            const QString name = panel->Title().isEmpty() ? StripName(d.picture) : panel->Title();
            connect(large->addAction(name), &QAction::triggered, this,
                    [this, panel] { Present(panel); });
        }
    });
}

void MainWindow::BuildRunMenu() {
    QMenu* run = menuBar()->addMenu(QStringLiteral("&Run"));
    run->setObjectName(QStringLiteral("RunMenu"));
    menus_[static_cast<std::size_t>(WindowMenu::Run)] = run;
    // Space clicks the run-control button; a text box that has the focus keeps its spaces,
    // because a line edit claims the keys it types before any shortcut sees them.
    runControl_ =
        AddAction(run, Widgets().pause->text(), "RunControl", QKeySequence(Qt::Key_Space));
    runControl_->setShortcutContext(Qt::WindowShortcut);
    connect(runControl_, &QAction::triggered, this, [this] { Widgets().pause->click(); });
}

void MainWindow::BuildHelpMenu() {
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    menus_[static_cast<std::size_t>(WindowMenu::Help)] = help;
    QAction* instructions = AddAction(help, QStringLiteral("Instructions"), "HelpInstructions",
                                      QKeySequence::HelpContents);
    instructions->setShortcuts({QKeySequence(Qt::Key_F1)});
    connect(instructions, &QAction::triggered, this, &MainWindow::ShowInstructions);
    QAction* about = AddAction(help, QStringLiteral("About"), "HelpAbout", QKeySequence());
    connect(about, &QAction::triggered, this, &MainWindow::ShowAbout);
}

void MainWindow::SetHighContrast(bool on) {
    if (highContrast_ != nullptr && highContrast_->isChecked() != on) highContrast_->setChecked(on);
    for (PicturePanel* panel : Widgets().pictures)
        panel->SetHighContrast(on);
}

bool MainWindow::HighContrast() const {
    return highContrast_ != nullptr && highContrast_->isChecked();
}

qreal MainWindow::Zoom() const {
    return kZoomFactors[static_cast<std::size_t>(kActualSize + zoomStep_)];
}

void MainWindow::ZoomIn() {
    ApplyZoom(zoomStep_ + 1);
}

void MainWindow::ZoomOut() {
    ApplyZoom(zoomStep_ - 1);
}

void MainWindow::ZoomActual() {
    ApplyZoom(0);
}

void MainWindow::ApplyZoom(int step) {
    const int last = static_cast<int>(kZoomFactors.size()) - 1;
    const qreal before = Zoom();
    zoomStep_ = std::clamp(step, -kActualSize, last - kActualSize);
    const qreal factor = Zoom();
    // The pictures grow with the text: a step above actual size keeps every shown panel at
    // least its size grown in the step's proportion (from the share of the room it had at
    // actual size or below; the window scrolls where it has no room). At actual size or
    // below the layout shares the room as it likes, whatever steps came before.
    for (PicturePanel* panel : Widgets().pictures) {
        if (factor <= 1.0 || panel->isHidden()) {
            panel->setMinimumSize(0, 0);
            continue;
        }
        const qreal grow = factor / std::max<qreal>(before, 1.0);
        const QSize base = panel->size();
        panel->setMinimumSize(QSize(qCeil(base.width() * grow), qCeil(base.height() * grow))
                                  .boundedTo(QSize(4000, 4000)));
    }
    if (zoomStyle_ == nullptr && factor != 1.0) {
        // Kept by the application: widgets of this window may outlive the window's members.
        zoomStyle_ = new ZoomStyle;
        zoomStyle_->setParent(qApp);
    }
    if (zoomStyle_ != nullptr) zoomStyle_->SetFactor(factor);
    ZoomWidgets(*this);
    if (berCurve_ != nullptr) berCurve_->SetZoom(factor);
    QFont ber = baseBerFont_;
    ber.setPointSizeF(baseBerFont_.pointSizeF() * factor);
    Widgets().Label(LabelId::lblBER)->setFont(ber);
    for (PicturePanel* panel : Widgets().pictures)
        panel->SetPenScale(factor);
    // The panel cells' fillers match the sliders' new size.
    area_->Layout().Build();
    layoutPending_ = true;
    AfterAction();
}

void MainWindow::ZoomWidgets(QWidget& root) {
    if (&root == this) {
        QFont scaled = baseFont_;
        scaled.setPointSizeF(baseFont_.pointSizeF() * Zoom());
        setFont(scaled);
    }
    if (zoomStyle_ == nullptr) return;
    // Setting the style again makes each widget measure itself anew at the new factor.
    root.setStyle(zoomStyle_);
    for (QWidget* widget : root.findChildren<QWidget*>())
        widget->setStyle(zoomStyle_);
}

}  // namespace linelab
