// What the page shows and announces that the model decides: each control's spoken name, the
// notes after typed texts, the scene box's own text, the name of a saved lesson, the help.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>

#include "ui/ControlLabels.h"
#include "ui/Form1.h"
#include "ui/HelpTexts.h"
#include "web/Session.h"

namespace linelab::web {
namespace {

using testing::HasSubstr;

struct Named {
    const char* scene;
    const char* control;
    const char* name;
};

class SpokenName : public testing::TestWithParam<Named> {};

TEST_P(SpokenName, IsTheCaptionBesideItOrItsTipsLead) {
    Form1 form;
    ASSERT_TRUE(form.SetText("cmbScene", GetParam().scene));
    EXPECT_EQ(AccessibleName(form, *FindControl(GetParam().control)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, SpokenName,
    testing::Values(Named{"Full Channel", "cmbScene", "Simulation"},
                    Named{"Full Channel", "cmbData", "Data source"},
                    Named{"Full Channel", "cmbNoise", "Noise, W/kHz"},
                    Named{"Full Channel", "cmbLowPass", "Low Pass, kHz"},
                    Named{"Full Channel", "cmbMod(0)", "Modulation"},
                    Named{"Full Channel", "cmbTxModPC(0)", "Transmit pulse width, %"},
                    Named{"Straight", "cmbPreCode(1)", "Post-Coding"},
                    Named{"Full Channel", "vscThreshold", "Decision threshold voltages"},
                    Named{"Full Channel", "hscSample", "Sampling instant"},
                    Named{"Full Channel", "chkRxEye", "Show the receiver eye"},
                    Named{"Full Channel", "picCodedData", "Coded strip"},
                    Named{"Full Channel", "chkInvert", "Invert"}));

// Nothing a user can reach is announced by its internal name, in any scene.
TEST(SpokenName, NeverTheInternalNameOfAShownControl) {
    const std::regex internal("^(cmb|chk|vsc|hsc|pic|lbl|cmd)[A-Z].*");
    for (int scene = 0; scene < 7; ++scene) {
        Form1 form;
        ASSERT_TRUE(form.ApplyScene(scene));
        for (const ControlRef c : AllControls()) {
            if (!form.Visible(c) || c.kind == ControlKind::Label ||
                c.kind == ControlKind::Decoration || c.kind == ControlKind::Timer)
                continue;
            const std::string name = AccessibleName(form, c);
            EXPECT_FALSE(name.empty() || std::regex_match(name, internal))
                << NameOf(c) << " in scene " << scene << ": " << name;
        }
    }
}

TEST(PageSession, ATextThatNamesNoSceneGivesWayWithANote) {
    Session session;
    ASSERT_TRUE(session.ApplyScene(5));
    EXPECT_TRUE(session.SetText("cmbScene", "xyz"));
    EXPECT_EQ(session.Form().List(ListId::cmbScene).text, "Noise");
    EXPECT_EQ(session.Form().SceneIndex(), 5);
    EXPECT_THAT(session.TypedNote("cmbScene", "xyz"), HasSubstr("\"xyz\" names no scene; Noise"));
    EXPECT_THAT(session.LessonText(), HasSubstr("\"Noise\""));
    EXPECT_TRUE(session.SetText("cmbScene", "Straight"));
    EXPECT_EQ(session.TypedNote("cmbScene", "Straight"), "");
    EXPECT_THAT(session.TypedNote("cmbNoise", "abc"), HasSubstr("\"abc\" is no number"));
    EXPECT_EQ(session.TypedNote("cmbNoise", "0.5"), "");
}

TEST(PageSession, NamesASavedLessonAfterItsScene) {
    Session session;
    EXPECT_EQ(session.LessonFileName(), "linelab-just-data.linelab.json");
    ASSERT_TRUE(session.ApplyScene(6));
    EXPECT_EQ(session.LessonFileName(), "linelab-full-channel.linelab.json");
}

TEST(PageSession, ItsLayoutGivesThePanelsTheLabelsAndThePagesOwnHelp) {
    Session session;
    const auto layout = nlohmann::json::parse(session.LayoutJson());
    EXPECT_EQ(layout["panels"]["picRxEye"]["kind"], "eye");
    EXPECT_EQ(layout["panels"]["picData"]["check"], "chkData");
    EXPECT_EQ(layout["maxText"], kMaxListText);
    const std::string help = layout["instructions"];
    EXPECT_EQ(help.find("F11"), std::string::npos);
    EXPECT_EQ(help.find("Ctrl+Q"), std::string::npos);
    EXPECT_THAT(help, HasSubstr("Copy Share Link"));
    EXPECT_THAT(help, HasSubstr("View > Show Large"));
    // The shared paragraphs are the desktop's, word for word.
    const std::string desktop = InstructionsHelpText();
    const std::size_t shared = desktop.find("Lessons.");
    EXPECT_EQ(help.substr(0, shared), desktop.substr(0, shared));
    const auto controls = nlohmann::json::parse(session.ControlsJson());
    EXPECT_EQ(controls["cmbScene"]["label"], "Simulation");
}

}  // namespace
}  // namespace linelab::web
