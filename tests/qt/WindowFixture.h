#pragma once
// A shown main window whose timer is stopped, so a test decides every run; helpers that
// act as the user does (picks, clicks) and read the panels.

#include <gtest/gtest.h>

#include <QComboBox>
#include <memory>

#include "display/Canvas.h"
#include "ui/Form1.h"
#include "app/qt/MainWindow.h"
#include "app/qt/PicturePanel.h"

namespace linelab {

// Places in the scene list.
inline constexpr int kJustData = 0;
inline constexpr int kTxFilter = 2;
inline constexpr int kStraight = 4;  // the first with the transmit spectrum, both sides' lists
inline constexpr int kNoise = 5;
inline constexpr int kFullChannel = 6;  // every panel

// Counts how often the model clears a panel: one count per run of a handler that restarts
// that panel, so a change delivered twice shows up as two.
class CountingCanvas : public NullCanvas {
  public:
    CountingCanvas() : NullCanvas(3000, 2250) {}
    void Clear() override { ++clears; }
    int clears = 0;
};

class WindowFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    MainWindow& Window() { return *window_; }
    Form1& Model() { return window_->Model(); }
    const ControlWidgets& W() { return window_->Widgets(); }
    PicturePanel* Panel(PictureId id) { return W().Picture(id); }

    // What a user's pick in the list's popup does: the widget moves, then says activated.
    void Pick(ListId id, int index);
    void PickScene(int index) { Pick(ListId::cmbScene, index); }
    void Ticks(int count);
    // A click on a panel, acted on once no double click can follow.
    void ClickPanel(PictureId id);
    void Settle();  // pending layouts and paints
    bool Blank(PictureId id);

    std::unique_ptr<MainWindow> window_;
};

bool IsBlank(const QImage& image);

}  // namespace linelab
