#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "lesson/GuidedLesson.h"
#include "lesson/Lesson.h"
#include "web/Session.h"

namespace linelab::web {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::StartsWith;

struct Folder {
    Folder() : path(fs::temp_directory_path() / ("linelab-web-" + std::to_string(::getpid()))) {
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    fs::path path;
};

std::string Read(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RecordingCanvas, KeepsOnlyWhatFollowsTheLastClearAndSendsTheColourFirst) {
    RecordingCanvas canvas(300, 150);
    canvas.SetColour(0x0000ff);
    canvas.Line(1, 2, 3, 4);
    canvas.Clear();
    canvas.SetColour(0x00ff00);
    canvas.Line(5, 6, 7, 8);
    canvas.Line(9, 10, 11, 12);
    EXPECT_EQ(canvas.Take(), (std::vector<float>{kClear, kColour, 0x00ff00, kLine, 5, 6, 7, 8,
                                                 kLine, 9, 10, 11, 12}));
    EXPECT_FALSE(canvas.Pending());
    canvas.Line(0, 0, 1, 1);  // a new batch states its colour again
    EXPECT_EQ(canvas.Take(), (std::vector<float>{kColour, 0x00ff00, kLine, 0, 0, 1, 1}));
}

TEST(WebSession, ALessonOpensAsTheDesktopOpensItsFile) {
    Folder folder;
    Session session(folder.path);
    const fs::path file = fs::path(LINELAB_LESSONS_DIR) / "pam4-noise.json";
    EXPECT_EQ(session.OpenLessonText(Read(file), "pam4-noise.json"), "");
    Form1 desktop;
    ASSERT_FALSE(OpenLesson(desktop, file));
    EXPECT_EQ(session.LessonText(), LessonText(CollectLesson(desktop)));
    EXPECT_TRUE(fs::is_empty(folder.path));  // nothing left behind
}

TEST(WebSession, ABadLessonGivesItsMessageAndChangesNothing) {
    Folder folder;
    Session session(folder.path);
    session.SetText("cmbScene", "Noise");
    const std::string before = session.ControlsJson();
    const std::string unknownCode =
        "{\"format\": \"linelab-lesson\", \"version\": 1, \"lists\": {\"cmbCode(0)\": \"Morse\"}}";
    struct Case {
        std::string text, name, message;
    };
    const std::vector<Case> cases = {
        {unknownCode, "bad.json", "bad.json: "},
        {"{", "broken.json", "broken.json: not valid JSON"},
        {std::string(kMaxLessonBytes + 1, ' '), "big.json", "big.json: is 1048577 bytes"},
        // A name from the page never leaves the folder.
        {"{", "../../escape.json", "escape.json: not valid JSON"},
        {"{", "", "lesson.json: not valid JSON"}};
    for (const Case& c : cases) {
        EXPECT_THAT(session.OpenLessonText(c.text, c.name), StartsWith(c.message)) << c.name;
        EXPECT_EQ(session.ControlsJson(), before) << c.name;
    }
    EXPECT_FALSE(fs::exists(folder.path.parent_path().parent_path() / "escape.json"));
}

TEST(WebSession, ReportsOnlyTheControlsAnActionChanged) {
    Folder folder;
    Session session(folder.path);
    session.ChangedJson();
    ASSERT_TRUE(session.SetText("cmbCode(0)", "Manchester"));
    const auto changed = nlohmann::json::parse(session.ChangedJson());
    EXPECT_EQ(changed["cmbCode(0)"]["text"], "Manchester");
    EXPECT_EQ(changed["cmbCode(1)"]["text"], "Manchester");  // the receiver follows
    EXPECT_FALSE(changed.contains("cmbNoise"));
    EXPECT_EQ(session.ChangedJson(), "{}");
    EXPECT_FALSE(session.SetText("cmbCode(0)", "Morse"));
    EXPECT_EQ(session.ChangedJson(), "{}");
}

// The page shows the status bar's texts as the window words them.
TEST(WebSession, StatusTextsAreTheWindowsOwn) {
    Folder folder;
    Session session(folder.path);
    auto status = nlohmann::json::parse(session.StatusTextsJson(true, 2.25));
    EXPECT_EQ(status["run"], "Fast");
    EXPECT_EQ(status["rate"], "2.3 runs/s");
    EXPECT_EQ(status["runs"], "");  // scene 0 does not show the rate
    ASSERT_TRUE(session.Click("cmdPause"));
    status = nlohmann::json::parse(session.StatusTextsJson(false, 9));
    EXPECT_EQ(status["run"], "Paused");
    EXPECT_EQ(status["rate"], "0.0 runs/s");
}

TEST(WebSession, ATickDrawsTheShownPanelsOnTheirRecordings) {
    Folder folder;
    Session session(folder.path);
    session.TakePanels();
    session.Tick();
    const auto panels = session.TakePanels();
    ASSERT_FALSE(panels.empty());
    for (const auto& [name, commands] : panels) {
        const auto picture = FindControl(name);
        ASSERT_TRUE(picture && picture->kind == ControlKind::Picture) << name;
        EXPECT_TRUE(session.Form().Visible(*picture)) << name;
        EXPECT_FALSE(commands.empty());
    }
    EXPECT_GT(session.BitsCompared(), 0);
}

// Every setting the form shows but the run control's, which a step keeps as it is.
LessonJson Settings(const Form1& form) {
    LessonJson settings = CollectLesson(form);
    settings.erase("run");
    return settings;
}

// The example's step as the batch tool's --step reaches it.
LessonJson SettingsAtStep(const std::string& text, const fs::path& file, std::size_t step) {
    Form1 form;
    GuidedLesson lesson;
    EXPECT_FALSE(ReadGuidedLessonText(form, text, file, lesson));
    EXPECT_FALSE(ShowLessonStep(form, lesson, step, LessonRunState::Ignore));
    return Settings(form);
}

struct GuidedCase {
    const char* file;
    const char* step;
    std::size_t position;
};

class WebGuidedLesson : public testing::TestWithParam<GuidedCase> {};

TEST_P(WebGuidedLesson, OpensAtTheLinkedStepWithTheBatchToolsSettings) {
    const GuidedCase& c = GetParam();
    Folder folder;
    Session session(folder.path);
    const fs::path file = fs::path(LINELAB_LESSONS_DIR) / c.file;
    const std::string text = Read(file);
    ASSERT_EQ(session.OpenLessonText(text, c.file, c.step), "");
    EXPECT_EQ(Settings(session.Form()), SettingsAtStep(text, file, c.position));
    const auto pane = nlohmann::json::parse(session.LessonPaneJson());
    EXPECT_EQ(pane["position"], c.position);
    EXPECT_FALSE(pane["title"].get<std::string>().empty());
    EXPECT_GE(pane["steps"].size(), 3u);
    // Stepping there from the start reaches the same settings.
    ASSERT_EQ(session.GoToStep(0), "");
    EXPECT_EQ(Settings(session.Form()), SettingsAtStep(text, file, 0));
    for (std::size_t i = 1; i <= c.position; ++i)
        ASSERT_EQ(session.GoToStep(static_cast<int>(i)), "") << i;
    EXPECT_EQ(Settings(session.Form()), SettingsAtStep(text, file, c.position));
}

TEST_P(WebGuidedLesson, SavesAndSharesTheWholeLessonWhateverStepShows) {
    const GuidedCase& c = GetParam();
    Folder folder;
    Session session(folder.path);
    const fs::path file = fs::path(LINELAB_LESSONS_DIR) / c.file;
    ASSERT_EQ(session.OpenLessonText(Read(file), c.file, c.step), "");
    session.SetText("cmbNoise", "0.9");  // a change of the moment is no part of the lesson
    const std::string saved = session.LessonText();
    EXPECT_EQ(session.LessonProblem(), "");
    GuidedLesson original, back;
    ASSERT_FALSE(ReadGuidedLessonText(Form1(), Read(file), file, original));
    ASSERT_FALSE(ReadGuidedLessonText(Form1(), saved, "saved", back));
    EXPECT_EQ(back, original);
    // The BER Curve's and the statistics' workers get the settings in force instead.
    Form1 rebuilt;
    ASSERT_FALSE(OpenLessonText(rebuilt, session.SettingsText(), "settings"));
    EXPECT_EQ(Settings(rebuilt), Settings(session.Form()));
}

INSTANTIATE_TEST_SUITE_P(Examples, WebGuidedLesson,
                         testing::Values(GuidedCase{"why-line-codes.json", "3", 3},
                                         GuidedCase{"noise-and-the-eye.json", "", 0},
                                         GuidedCase{"noise-and-the-eye.json", "2", 2},
                                         GuidedCase{"band-limits-and-echoes.json", "4", 4}));

TEST(WebSession, AStepALinkCannotReachChangesNothing) {
    Folder folder;
    Session session(folder.path);
    const fs::path file = fs::path(LINELAB_LESSONS_DIR) / "why-line-codes.json";
    const std::string text = Read(file);
    ASSERT_EQ(session.OpenLessonText(Read(fs::path(LINELAB_LESSONS_DIR) / "pam4-noise.json"),
                                     "pam4-noise.json"),
              "");
    const std::string controls = session.ControlsJson();
    const std::string pane = session.LessonPaneJson();
    struct Case {
        std::string step, message;
    };
    const std::vector<Case> cases = {
        {"99", "link: step 99: the lesson has 5 step(s); 0 is its start"},
        {"-1", "link: the step must be a whole number 0 or more, not \"-1\""},
        {"3x", "link: the step must be a whole number 0 or more, not \"3x\""},
        {"12345678901234567890", "link: the step must be a whole number 0 or more"}};
    for (const Case& c : cases) {
        EXPECT_THAT(session.OpenLessonText(text, "link", c.step), StartsWith(c.message)) << c.step;
        EXPECT_EQ(session.ControlsJson(), controls) << c.step;
        EXPECT_EQ(session.LessonPaneJson(), pane) << c.step;
    }
}

TEST(WebSession, StepsMoveOnlyWithinTheLessonAndKeepThePauseOfTheMoment) {
    Folder folder;
    Session session(folder.path);
    const fs::path file = fs::path(LINELAB_LESSONS_DIR) / "why-line-codes.json";
    ASSERT_EQ(session.OpenLessonText(Read(file), "why-line-codes.json"), "");
    ASSERT_TRUE(session.Click("cmdPause"));  // the teacher pauses to talk
    const bool running = session.TimerEnabled();
    EXPECT_EQ(session.GoToStep(2), "");
    EXPECT_EQ(session.TimerEnabled(), running);
    EXPECT_EQ(session.LessonPosition(), 2);
    const std::string controls = session.ControlsJson();
    EXPECT_THAT(session.GoToStep(6), HasSubstr("there is no step 6"));
    EXPECT_THAT(session.GoToStep(-1), HasSubstr("there is no step -1"));
    EXPECT_EQ(session.LessonPosition(), 2);
    EXPECT_EQ(session.ControlsJson(), controls);
    // A plain lesson has only its start.
    ASSERT_EQ(session.OpenLessonText(Read(fs::path(LINELAB_LESSONS_DIR) / "pam4-noise.json"),
                                     "pam4-noise.json"),
              "");
    EXPECT_EQ(session.LessonPositions(), 1);
    EXPECT_THAT(session.GoToStep(1), HasSubstr("there is no step 1"));
}

}  // namespace
}  // namespace linelab::web
