// The model as the tick's host: settings read from the controls, write-backs through the
// controls' handlers, panels routed to their canvases, and whole ticks.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "ui/FormHost.h"
#include "ui/PanelTable.h"
#include "ui/SweepSnapshot.h"

namespace linelab {
namespace {

using test::CanvasSet;

TEST(Host, SettingsRecordMirrorsTheControls) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(4));  // noise list hidden, inversion shown
    ASSERT_TRUE(form.SetText("cmbData", "All Ones"));
    ASSERT_TRUE(form.SetText("cmbPreCode(1)", "Scramble"));
    ASSERT_TRUE(form.SetText("cmbMod(0)", "4-PAM"));
    ASSERT_TRUE(form.SetText("cmbTxModPC(1)", "25"));
    ASSERT_TRUE(form.SetText("cmbNoise", "0.8"));
    ASSERT_TRUE(form.SetText("cmbMultipathDelay", "1.5"));
    ASSERT_TRUE(form.SetValue("chkInvert", 1));
    ASSERT_TRUE(form.SetValue("chkPostData", 0));
    ASSERT_TRUE(form.SetValue("hscSample", -5));
    ASSERT_TRUE(form.SetValue("vscTxEyeScale", 8));
    LinkConfig s = LinkConfigOf(form);
    EXPECT_EQ(s.data, DataSource::AllOnes);
    EXPECT_EQ(s.preCode[0], PreCoding::None);
    EXPECT_EQ(s.preCode[1], PreCoding::Scramble);
    EXPECT_EQ(s.format[1], Format::Pam4);
    EXPECT_EQ(s.iPulseWidth, 16);  // the transmitter's 100 %, not the receiver's 25 %
    EXPECT_EQ(s.noiseLevel, 0.0);  // the noise box is hidden in this scene
    EXPECT_EQ(s.echo.delay, 24);
    EXPECT_TRUE(s.invert);
    EXPECT_FALSE(s.shown[PanelId::PostData]);
    EXPECT_TRUE(s.shown[PanelId::DecodedData]);
    EXPECT_TRUE(s.shown[PanelId::RxSpectrum]);
    EXPECT_FALSE(s.shown[PanelId::ChannelEye]);
    EXPECT_EQ(s.samplingOffset, -5);
    EXPECT_EQ(ViewSettingsOf(form.Controls()).txEyeScale, 8);
    ASSERT_TRUE(form.ApplyScene(5));
    ASSERT_TRUE(form.SetText("cmbNoise", "0.8"));
    s = LinkConfigOf(form);
    EXPECT_EQ(s.noiseLevel, 0.8);
    EXPECT_FALSE(s.invert);  // the inversion box is hidden there
}

TEST(Host, FilterTextsReadAndWrittenThroughTheBoxes) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(4));
    ASSERT_TRUE(form.SetText("cmbTxBW(1)", "0.3"));
    ASSERT_TRUE(form.SetText("cmbLowPass", "2.5"));
    FormHost host = form.Host();
    FilterTexts t;
    host.ReadFilterTexts(t);
    EXPECT_EQ(t.side[0].filter, "SteepCutoff");
    EXPECT_EQ(t.side[0].bw, "4");
    EXPECT_EQ(t.side[1].bw, "0.3");
    EXPECT_EQ(t.side[1].eb, "50");
    EXPECT_EQ(t.side[1].modPC, "100");
    EXPECT_EQ(t.lowPass, "2.5");
    EXPECT_EQ(t.highPass, "None");

    // A write-back is a change of the box: the transmitter's pulse width reaches the
    // receiver and both filter lists are rebuilt for a narrow pulse.
    host.WriteFilterText(FilterBox::ModPC, 0, "50");
    EXPECT_EQ(form.List(ListId::cmbTxModPC1).text, "50");
    EXPECT_EQ(form.List(ListId::cmbTxFilter1).items.size(), 4u);
    host.WriteFilterText(FilterBox::EB, 1, "30");
    EXPECT_EQ(form.List(ListId::cmbTxEB1).text, "30");
    EXPECT_EQ(form.List(ListId::cmbTxEB0).text, "50");
    host.WriteFilterText(FilterBox::BW, 0, "1");
    EXPECT_EQ(form.List(ListId::cmbTxBW1).text, "1");
    const std::string before = test::Dump(form);
    host.WriteFilterText(FilterBox::BW, 2, "7");
    host.WriteFilterText(FilterBox::BW, -1, "7");
    EXPECT_EQ(test::Dump(form), before);
}

// The design's read rounds the boxes first, through their setters, and parses them as they
// stand afterwards; a sweep's snapshot reads the same record without touching the form.
TEST(Host, FilterRecordIsReadFromTheRoundedBoxes) {
    Form1 form;
    ASSERT_TRUE(form.SetText("cmbTxModPC(0)", "60"));
    ASSERT_TRUE(form.SetText("cmbTxBW(0)", "2.556"));
    ASSERT_TRUE(form.SetText("cmbLowPass", "2.5"));
    const SweepSettings snapshot = SweepSnapshot(form);
    EXPECT_EQ(form.List(ListId::cmbTxModPC0).text, "60");

    const FilterConfig f = form.Host().ReadFilterConfig();
    EXPECT_EQ(form.List(ListId::cmbTxModPC0).text, "63");
    EXPECT_EQ(form.List(ListId::cmbTxModPC1).text, "63");
    EXPECT_EQ(form.List(ListId::cmbTxBW0).text, "2.56");
    EXPECT_EQ(f.side[0], (SideFilter{FilterType::SteepCutoff, 10, 2.56, 50}));
    EXPECT_EQ(f.lowPass, 2.5);
    EXPECT_EQ(f.highPass, std::nullopt);
    EXPECT_EQ(snapshot.filters, f);
}

// Each panel of the table, drawn through the host by its kind, lands on its own picture alone.
TEST(Host, EveryPanelDrawsOnItsOwnCanvas) {
    Form1 form;
    CanvasSet canvases(form);
    FormHost host = form.Host();
    const Bits bits{};
    const Signal signal{};
    const Thresholds thresholds{};
    const SpectrumAverage average{};
    for (const PanelDescriptor& panel : kPanelTable) {
        SCOPED_TRACE(panel.pictureName);
        canvases.Reset();
        switch (panel.kind) {
            case PanelKind::Strip:
                host.DrawStrip(StripPanel(panel.kindIndex), 16, 12, bits, bits, kBlue, 0, 1);
                break;
            case PanelKind::Eye:
                host.DrawEye(EyePanel(panel.kindIndex), signal, 1.5, thresholds, true);
                break;
            case PanelKind::Spectrum:
                host.DrawSpectrum(SpectrumPanel(panel.kindIndex), average, nullptr, 0);
                break;
        }
        for (const PanelDescriptor& other : kPanelTable) {
            const std::size_t at = static_cast<std::size_t>(other.picture);
            EXPECT_EQ(canvases.canvases[at].lines > 0, &other == &panel) << other.pictureName;
        }
    }
}

TEST(Tick, FirstTickDesignsDrawsAndShowsTheRate) {
    Form1 form;
    CanvasSet canvases(form);
    form.Timer1_Timer();
    EXPECT_TRUE(form.State().bFiltersValid);
    EXPECT_EQ(form.State().lBERRuns, 1);
    EXPECT_EQ(form.Label(LabelId::lblBER).caption.rfind("BER = ", 0), 0u);
    EXPECT_GT(canvases[PictureId::picData].lines, 0);
    EXPECT_EQ(canvases[PictureId::picRxEye].lines, 0);  // switched off in scene 0
}

TEST(Tick, TypedPulseWidthIsRewrittenAndReceiverFollows) {
    Form1 form;
    ASSERT_TRUE(form.SetText("cmbTxModPC(0)", "60"));
    form.Timer1_Timer();
    EXPECT_EQ(form.List(ListId::cmbTxModPC0).text, "63");
    EXPECT_EQ(form.List(ListId::cmbTxModPC1).text, "63");
    EXPECT_TRUE(form.State().bFiltersValid);
}

TEST(Tick, EchoRestartsReceiverDisplaysWithoutRedesign) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(6));
    form.Timer1_Timer();
    form.Timer1_Timer();
    ASSERT_EQ(form.Views().lTxSpectra, 2);
    ASSERT_EQ(form.Views().lChannelSpectra, 2);
    ASSERT_TRUE(form.SetText("cmbMultipathMag", "40"));
    EXPECT_TRUE(form.State().bFiltersValid);
    EXPECT_EQ(form.Views().lTxSpectra, 2);
    EXPECT_EQ(form.Views().lRxSpectra, 0);
    EXPECT_EQ(form.Views().lChannelSpectra, 0);
    EXPECT_EQ(form.State().lBERRuns, 0);
}

TEST(Tick, SpectrumSwitchesAndClicksRestartTheirAverage) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(4));
    form.Timer1_Timer();
    ASSERT_EQ(form.Views().lTxSpectra, 1);
    ASSERT_EQ(form.Views().lRxSpectra, 1);
    form.ClickPicture(PictureId::picTxSpectrum);
    EXPECT_EQ(form.Views().lTxSpectra, 0);
    EXPECT_EQ(form.Views().lRxSpectra, 1);
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkRxSpectrum, 0));
    EXPECT_EQ(form.Views().lRxSpectra, 0);
}

TEST(Tick, RestartsOfTheRunningErrorRate) {
    const std::vector<std::pair<const char*, std::function<void(Form1&)>>> restarts = {
        {"lblBER", [](Form1& f) { f.ClickBer(); }},
        {"chkInvert", [](Form1& f) { ASSERT_TRUE(f.SetCheckValue(CheckId::chkInvert, 1)); }},
        {"hscSample", [](Form1& f) { ASSERT_TRUE(f.SetSliderValue(SliderId::hscSample, 3)); }},
        {"vscThreshold",
         [](Form1& f) { ASSERT_TRUE(f.SetSliderValue(SliderId::vscThreshold, 40)); }},
        {"cmbData", [](Form1& f) { ASSERT_TRUE(f.SetText("cmbData", "All Zeros")); }},
    };
    for (const auto& [name, restart] : restarts) {
        Form1 form;
        ASSERT_TRUE(form.ApplyScene(4));
        form.Timer1_Timer();
        form.Timer1_Timer();
        ASSERT_EQ(form.State().lBERRuns, 2) << name;
        restart(form);
        EXPECT_EQ(form.State().lBERRuns, 0) << name;
    }
}

// A scene drops the stored spectrum for good: with "Memory" still checked, the next runs
// must not take a new copy (it would be the average left over from before the scene); only
// checking the box again stores one.
TEST(Tick, SceneDropsTheStoredSpectrum) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(2));
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkChannelSpectrum, 1));
    form.Timer1_Timer();  // the copy is the average before the run, so build one first
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkMemory, 1));
    form.Timer1_Timer();
    const auto& memory = form.Views().dMemorySpectrum;
    const auto allZero = [&memory] {
        return std::all_of(memory.begin(), memory.begin() + 1024, [](double v) { return v == 0; });
    };
    ASSERT_FALSE(allZero());
    ASSERT_TRUE(form.ApplyScene(2));
    EXPECT_TRUE(allZero());
    ASSERT_EQ(form.Check(CheckId::chkMemory).value, 1);
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkChannelSpectrum, 1));
    form.Timer1_Timer();
    form.Timer1_Timer();
    EXPECT_TRUE(allZero());
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkMemory, 0));
    form.Timer1_Timer();  // the drawing sees the box unchecked
    ASSERT_TRUE(form.SetCheckValue(CheckId::chkMemory, 1));
    form.Timer1_Timer();
    EXPECT_FALSE(allZero());
}

// A canvas that asks for another tick while the first is drawing, as a timer event handled
// inside a message box's event loop would.
class ReentrantCanvas : public test::CountingCanvas {
  public:
    explicit ReentrantCanvas(Form1& form) : form_(form) {}
    void Line(double x1, double y1, double x2, double y2) override {
        CountingCanvas::Line(x1, y1, x2, y2);
        form_.Timer1_Timer();
    }

  private:
    Form1& form_;
};

TEST(Tick, TickRequestedDuringATickIsIgnored) {
    Form1 form;
    ReentrantCanvas canvas(form);
    form.AttachCanvas(PictureId::picData, &canvas);
    form.Timer1_Timer();
    EXPECT_GT(canvas.lines, 0);
    EXPECT_EQ(form.State().lBERRuns, 1);
    form.AttachCanvas(PictureId::picData, nullptr);
    form.Timer1_Timer();
    EXPECT_EQ(form.State().lBERRuns, 2);
}

// Whatever is typed into whichever editable box, ticks run to their end and the rate label
// stays a number.
TEST(Tick, AnyTypedTextInAnyEditableBoxIsSafe) {
    const std::string texts[] = {"-1e308",
                                 "1e308",
                                 "abc",
                                 "",
                                 "0.0000001",
                                 "-50",
                                 std::string(kMaxListText, '7'),
                                 "99999999999999999999"};
    const Form1 names;
    int boxes = 0;
    for (const ListControl& list : names.Lists()) {
        if (!list.editable || list.name == "cmbScene") continue;
        ++boxes;
        for (const std::string& text : texts) {
            Form1 form;
            ASSERT_TRUE(form.ApplyScene(6));
            ASSERT_TRUE(form.SetText(list.name, text)) << list.name;
            form.Timer1_Timer();
            form.Timer1_Timer();
            const std::string& caption = form.Label(LabelId::lblBER).caption;
            ASSERT_EQ(caption.rfind("BER = ", 0), 0u) << list.name << " " << text;
            EXPECT_EQ(caption.find_first_not_of("0123456789.", 6), std::string::npos)
                << list.name << " '" << text << "' " << caption;
        }
    }
    EXPECT_EQ(boxes, 11);
}

// The form is locked while the engine computes: every call into it (a control's change, a
// message, a line or a clear on a panel) is recorded with whether the engine was running.
struct LockedRecorder : test::Recorder {
    explicit LockedRecorder(const Form1& f) : Recorder(f), form(f) {}
    void ControlChanged(ControlRef control, std::string_view name) override {
        Recorder::ControlChanged(control, name);
        Note(name);
    }
    void Report(std::string_view message, bool stopsTimer) override {
        Recorder::Report(message, stopsTimer);
        Note(message);
    }
    void Note(std::string_view what) {
        if (form.EngineRunning()) duringEngine.emplace_back(what);
    }
    const Form1& form;
    std::vector<std::string> duringEngine;
};

class LockedCanvas : public test::CountingCanvas {
  public:
    explicit LockedCanvas(LockedRecorder& recorder) : recorder_(recorder) {}
    void Clear() override {
        CountingCanvas::Clear();
        recorder_.Note("clear");
    }
    void Line(double x1, double y1, double x2, double y2) override {
        CountingCanvas::Line(x1, y1, x2, y2);
        recorder_.Note("line");
    }

  private:
    LockedRecorder& recorder_;
};

// Everything a tick used to fetch or push from inside the engine -- the filter boxes'
// rounding and its cascades, the settings, the threshold slider, the rate's caption, the
// pictures -- happens before or after the engine's run, never during it.
TEST(Tick, EngineNeverCallsIntoTheForm) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(6));
    LockedRecorder recorder(form);
    std::vector<std::unique_ptr<LockedCanvas>> canvases;
    for (int i = 0; i < CountOf<PictureId>(); ++i) {
        canvases.push_back(std::make_unique<LockedCanvas>(recorder));
        form.AttachCanvas(static_cast<PictureId>(i), canvases.back().get());
    }
    form.SetObserver(&recorder);
    ASSERT_TRUE(form.SetText("cmbTxModPC(0)", "60"));  // rounded to "63" before the design
    ASSERT_TRUE(form.SetText("cmbNoise", "0.4"));
    recorder.changed.clear();
    for (int run = 0; run < 3; ++run)
        form.Timer1_Timer();
    EXPECT_TRUE(recorder.duringEngine.empty()) << recorder.duringEngine.front();
    // The recorder was live: the rounding, the caption and the pictures all reached it.
    EXPECT_TRUE(recorder.WasChanged("cmbTxModPC(0)"));
    EXPECT_TRUE(recorder.WasChanged("lblBER"));
    EXPECT_GT(canvases[static_cast<std::size_t>(PictureId::picRxEye)]->lines, 0);
    EXPECT_EQ(form.List(ListId::cmbTxModPC0).text, "63");
    EXPECT_EQ(form.State().lBERRuns, 3);
    form.SetObserver(nullptr);
    for (int i = 0; i < CountOf<PictureId>(); ++i)
        form.AttachCanvas(static_cast<PictureId>(i), nullptr);
}

}  // namespace
}  // namespace linelab
