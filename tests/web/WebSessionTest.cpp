#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

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

TEST(WebSession, ATickDrawsTheShownPanelsOnTheirRecordings) {
    Folder folder;
    Session session(folder.path);
    session.TakePanels();
    session.Tick();
    const auto panels = session.TakePanels();
    ASSERT_FALSE(panels.empty());
    for (const auto& [index, commands] : panels) {
        EXPECT_TRUE(session.Form().Visible(ControlRef(static_cast<PictureId>(index)))) << index;
        EXPECT_FALSE(commands.empty());
    }
    EXPECT_GT(session.BitsCompared(), 0);
}

}  // namespace
}  // namespace linelab::web
