// The decisions must not depend on whether the receive eye is drawn: the thresholds follow
// the slider in every run, from the moment a format loads its defaults, after a slider move
// and after a lesson.

#include <gtest/gtest.h>

#include <string>

#include "common/Tables.h"
#include "lesson/Lesson.h"
#include "ui/Form1.h"
#include "ui/ListTexts.h"

namespace linelab {
namespace {

// Two windows alike but for the receive eye, driven by the same actions.
struct EyeOnAndOff {
    Form1 on, off;

    template <typename Action>
    void Both(Action action) {
        ASSERT_TRUE(action(on));
        ASSERT_TRUE(action(off));
    }
    void Run(int runs) {
        for (int i = 0; i < runs; ++i) {
            on.Timer1_Timer();
            off.Timer1_Timer();
        }
    }
    void ExpectSameDecisions(const std::string& when) const {
        const RunState& a = on.State();
        const RunState& b = off.State();
        EXPECT_EQ(a.dThresholds, b.dThresholds) << when;
        EXPECT_EQ(a.iDemodData, b.iDemodData) << when;
        EXPECT_EQ(a.dBER, b.dBER) << when;
        EXPECT_EQ(on.Slider(SliderId::vscThreshold).value,
                  off.Slider(SliderId::vscThreshold).value);
    }
};

// A noisy channel where the thresholds matter, the receive eye on in one window only.
void SetUpNoisy(EyeOnAndOff& w) {
    w.Both([](Form1& f) { return f.SetText("cmbScene", "Noise"); });
    w.Both([](Form1& f) { return f.SetText("cmbNoise", "0.3"); });
    ASSERT_TRUE(w.on.SetValue("chkRxEye", 1));
    ASSERT_TRUE(w.off.SetValue("chkRxEye", 0));
}

TEST(ThresholdsFollowTheSlider, EveryFormatDecidesAlikeWithTheEyeOnAndOff) {
    for (const std::string_view text : kFormatNames) {
        const std::string name(text);
        EyeOnAndOff w;
        SetUpNoisy(w);
        w.Both([&](Form1& f) { return f.SetText("cmbMod(0)", name); });
        // Straight after the format loads its defaults, before any run.
        w.ExpectSameDecisions(name + ", loaded");
        const double sliderT0 = (100 - w.off.Slider(SliderId::vscThreshold).value) * kSqrt2 / 100;
        EXPECT_DOUBLE_EQ(std::abs(w.off.State().dThresholds[0]), sliderT0) << name;
        w.Run(30);
        w.ExpectSameDecisions(name + ", 30 runs");
        w.Both([](Form1& f) { return f.SetValue("vscThreshold", 37); });
        w.Run(30);
        w.ExpectSameDecisions(name + ", slider moved");
    }
}

TEST(ThresholdsFollowTheSlider, ALessonDecidesAlikeWithTheEyeOnAndOff) {
    EyeOnAndOff w;
    SetUpNoisy(w);
    w.Both([](Form1& f) { return f.SetText("cmbMod(0)", "4-PAM"); });
    LessonJson lesson = CollectLesson(w.off);
    w.Both([](Form1& f) { return f.SetText("cmbMod(0)", "AMI"); });
    ASSERT_FALSE(ApplyLesson(w.on, lesson).has_value());
    ASSERT_FALSE(ApplyLesson(w.off, lesson).has_value());
    ASSERT_TRUE(w.on.SetValue("chkRxEye", 1));
    ASSERT_TRUE(w.off.SetValue("chkRxEye", 0));
    w.ExpectSameDecisions("lesson loaded");
    w.Run(30);
    w.ExpectSameDecisions("lesson, 30 runs");
}

}  // namespace
}  // namespace linelab
