// Guided lessons: every step of every example applies cleanly and gives what it names; what
// is written opens as the same lesson, whatever was edited; a bad step is refused whole.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>

#include "FormTestSupport.h"
#include "lesson/GuidedLesson.h"
#include "lesson/Lesson.h"

namespace linelab::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string ReadLessonText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<fs::path> GuidedExamples() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(LINELAB_LESSONS_DIR))
        if (LessonJson::parse(ReadLessonText(entry.path())).contains("steps")) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// What a control named in a lesson shows now, in the lesson's own terms.
LessonJson ValueOf(const Form1& form, std::string_view group, const std::string& name) {
    if (group == "view") return form.View()[*FindViewOption(name)] ? 1 : 0;
    const LessonJson now = CollectLesson(form);
    return now.at(std::string(group)).at(name);
}

class ExampleSteps : public ::testing::TestWithParam<fs::path> {};

// Each step in turn, as a class would go through it: no message, and every control and
// View option the step names shows the value it gives (the scene too).
TEST_P(ExampleSteps, EveryStepAppliesAndGivesWhatItNames) {
    const std::string text = ReadLessonText(GetParam());
    const LessonJson json = LessonJson::parse(text);
    Form1 form;
    GuidedLesson lesson;
    const auto problem = ReadGuidedLessonText(form, text, GetParam(), lesson);
    ASSERT_FALSE(problem) << *problem;
    ASSERT_EQ(lesson.steps.size(), json.at("steps").size());
    EXPECT_FALSE(lesson.title.empty());
    EXPECT_FALSE(lesson.introduction.empty());
    for (std::size_t position = 0; position < lesson.Positions(); ++position) {
        const LessonJson& named = position == 0 ? json : json.at("steps").at(position - 1);
        const auto shown = ShowLessonStep(form, lesson, position);
        ASSERT_FALSE(shown) << position << ": " << *shown;
        EXPECT_EQ(CollectLesson(form), lesson.SettingsAt(position)) << position;
        if (named.contains("scene")) {
            EXPECT_EQ(form.List(ListId::cmbScene).text, named.at("scene")) << position;
        }
        for (std::string_view group : {"lists", "checks", "sliders", "view"}) {
            if (!named.contains(group)) continue;
            for (const auto& [name, value] : named.at(std::string(group)).items())
                EXPECT_EQ(ValueOf(form, group, name), value) << position << " " << name;
        }
        if (position > 0) {
            EXPECT_FALSE(lesson.steps[position - 1].title.empty()) << position;
        }
    }
}

// Written out and read back, a lesson keeps every field of every step.
TEST_P(ExampleSteps, WrittenAndReadBackIsTheSameLesson) {
    Form1 form;
    GuidedLesson lesson;
    ASSERT_FALSE(ReadGuidedLessonText(form, ReadLessonText(GetParam()), GetParam(), lesson));
    std::string text;
    const auto problem = GuidedLessonText(lesson, text);
    ASSERT_FALSE(problem) << *problem;
    GuidedLesson back;
    ASSERT_FALSE(ReadGuidedLessonText(Form1(), text, "back.json", back));
    EXPECT_EQ(back, lesson);
    std::string again;
    ASSERT_FALSE(GuidedLessonText(back, again));
    EXPECT_EQ(again, text);  // a lesson written once is written the same way again
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleSteps, ::testing::ValuesIn(GuidedExamples()),
                         [](const auto& info) {
                             std::string name = info.param.stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(GuidedExamples, ThereAreThreeForAFirstCourse) {
    EXPECT_EQ(GuidedExamples().size(), 3u);
}

// A lesson built in the window: steps added from the window's settings, texts of every kind,
// then reordered and one deleted. The file must open as the edited list shows it: each step
// with the settings it was added with, even where cascades and scenes run between them (the
// receiver set apart from the transmitter, a scene that resets the channel and the zoom).
TEST(GuidedLessonEdits, WhatIsWrittenOpensAsTheEditedList) {
    Form1 form;
    GuidedLesson lesson;
    lesson.title = "Built by hand";
    lesson.introduction =
        "Paragraphs\n\n- a list\n- with \"quotes\", <angles> & a formula: "
        "Eb/N0 = Es/N0 \xc2\xb7 k\n\tcaf\xc3\xa9";
    ASSERT_TRUE(form.ApplyScene(6));
    AddLessonStep(lesson, form, 0, "Full channel");
    ASSERT_TRUE(form.SetText("cmbCode(0)", "4B5B + NRZI"));
    ASSERT_TRUE(form.SetText("cmbCode(1)", "4B5B"));  // the receiver apart
    ASSERT_TRUE(form.SetValue("hscDataZoom", 3));
    ASSERT_TRUE(form.SetValue("hscDataScroll", 20));
    form.SetViewOption(ViewOption::Theory, true);
    AddLessonStep(lesson, form, 1, "Receiver apart");
    ASSERT_TRUE(form.ApplyScene(5));  // resets the channel, the zoom's scroll range
    ASSERT_TRUE(form.SetText("cmbNoise", "0.37"));
    ASSERT_TRUE(form.SetValue("hscDataZoom", 3));
    ASSERT_TRUE(form.SetValue("hscDataScroll", 20));
    AddLessonStep(lesson, form, 2, "");
    lesson.steps[2].question = "Why?";
    lesson.steps[2].answer = "Because.";
    form.SetViewOption(ViewOption::DensityEyes, true);
    ASSERT_TRUE(form.SetText("cmbMod(0)", "4-PAM"));
    AddLessonStep(lesson, form, 3, "Four levels");
    lesson.steps[3].text = std::string(kMaxLessonTextChars, 'x');

    std::rotate(lesson.steps.begin(), lesson.steps.begin() + 1, lesson.steps.end());
    lesson.steps.erase(lesson.steps.begin());  // "Receiver apart"; "Full channel" last
    std::string text;
    const auto problem = GuidedLessonText(lesson, text);
    ASSERT_FALSE(problem) << *problem;
    GuidedLesson back;
    ASSERT_FALSE(ReadGuidedLessonText(Form1(), text, "edited.json", back));
    EXPECT_EQ(back, lesson);
    // Only what differs from the step before is written.
    const LessonJson written = LessonJson::parse(text);
    EXPECT_FALSE(written["steps"][1].contains("scene"));
    EXPECT_EQ(written["steps"][1]["lists"].size(), 2u) << written["steps"][1].dump();
    EXPECT_EQ(written["steps"][1]["view"], LessonJson({{"densityEyes", 1}}));
    EXPECT_EQ(written["steps"][2]["scene"], "Full Channel");
}

TEST(GuidedLessonEdits, AStepTakesTheRunControlOfTheStepBefore) {
    Form1 form;
    GuidedLesson lesson;
    AddLessonStep(lesson, form, 0, "running");
    form.ClickPause();  // stopped, to write the texts
    AddLessonStep(lesson, form, 1, "still running");
    EXPECT_EQ(lesson.steps[1].settings["run"], "running");
}

// A file from before steps and View options opens as it always did: the View options stay
// as they are. A file that names them sets them, and turns off those it leaves out.
TEST(GuidedLessonView, AFileWithoutThemLeavesTheViewOptionsAsTheyAre) {
    Form1 form;
    form.SetViewOption(ViewOption::Theory, true);
    form.SetViewOption(ViewOption::DensityEyes, true);
    const std::string v1 = R"({"format": "linelab-lesson", "version": 1, "scene": "Noise"})";
    ASSERT_FALSE(OpenLessonText(form, v1, "v1.json"));
    EXPECT_TRUE(form.View()[ViewOption::Theory]);
    EXPECT_TRUE(form.View()[ViewOption::DensityEyes]);
    ASSERT_FALSE(OpenLessonText(
        form,
        R"({"format": "linelab-lesson", "version": 2, "scene": "Noise", "view": {"eyeOpening": 1}})",
        "v2.json"));
    EXPECT_FALSE(form.View()[ViewOption::Theory]);
    EXPECT_FALSE(form.View()[ViewOption::DensityEyes]);
    EXPECT_TRUE(form.View()[ViewOption::EyeOpening]);
    // And a saved lesson keeps them.
    Form1 again;
    ASSERT_FALSE(OpenLessonText(again, LessonText(CollectLesson(form)), "saved.json"));
    EXPECT_EQ(again.View(), form.View());
}

struct BadStep {
    std::string name;
    std::string steps;  // the "steps" entry's JSON, or a whole lesson's when it starts with {
    std::string mentions;

    friend void PrintTo(const BadStep& b, std::ostream* os) { *os << b.name; }
};

std::string GuidedText(const BadStep& b) {
    if (b.steps.starts_with("{\"format")) return b.steps;
    return R"({"format": "linelab-lesson", "version": 2, "scene": "Full Tx", "steps": )" + b.steps +
           "}";
}

std::string Many(int count, std::string_view step) {
    std::string steps = "[";
    for (int i = 0; i < count; ++i)
        steps += (i ? ", " : "") + std::string(step);
    return steps + "]";
}

std::string Quoted(std::size_t characters, std::string_view unit = "x") {
    std::string text = "\"";
    for (std::size_t i = 0; i < characters; ++i)
        text += unit;
    return text + "\"";
}

class BadGuidedLesson : public ::testing::TestWithParam<BadStep> {};

TEST_P(BadGuidedLesson, IsRefusedWithItsReasonAndChangesNothing) {
    Form1 form;
    ASSERT_TRUE(form.ApplyScene(4));
    ASSERT_TRUE(form.SetText("cmbNoise", "0.2"));
    form.SetViewOption(ViewOption::Theory, true);
    const std::string before = Dump(form);
    const auto problem = OpenLessonText(form, GuidedText(GetParam()), "bad.json");
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, ::testing::StartsWith("bad.json: "));
    EXPECT_THAT(*problem, HasSubstr(GetParam().mentions));
    EXPECT_EQ(Dump(form), before);
}

const std::string kOk = R"j({"title": "ok", "lists": {"cmbCode(0)": "Manchester"}})j";

INSTANTIATE_TEST_SUITE_P(
    Classes, BadGuidedLesson,
    ::testing::Values(
        BadStep{"UnknownControl", R"([{"title": "a", "lists": {"cmbFoo": "1"}}])",
                "step 1: \"lists\": unknown control \"cmbFoo\""},
        BadStep{"ValueRefusedInALaterStep",
                "[" + kOk + ", " + kOk + R"(, {"sliders": {"hscSample": 40}}])",
                "step 3: hscSample: takes a whole number from -32 to 32"},
        BadStep{"EmptyStep", "[" + kOk + ", {}]", "step 2: holds nothing"},
        BadStep{"OnlyEmptyTexts", R"([{"title": "", "text": "", "lists": {}}])",
                "step 1: holds nothing"},
        BadStep{"TextOverTheLimit", R"([{"text": )" + Quoted(kMaxLessonTextChars + 1) + "}]",
                "\"text\" has 4001 characters; it may have at most 4000"},
        // Characters are counted, not bytes: 4,000 accented letters are within the limit.
        BadStep{"LimitCountsCharacters",
                R"([{"text": )" + Quoted(kMaxLessonTextChars, "\xc3\xa9") + R"(}, {}])",
                "step 2: holds nothing"},
        BadStep{"TitleOverTheLimit", R"([{"title": )" + Quoted(kMaxLessonTitleChars + 1) + "}]",
                "\"title\" has 201 characters"},
        BadStep{"AnswerOverTheLimit",
                R"([{"question": "q", "answer": )" + Quoted(kMaxLessonTextChars + 1) + "}]",
                "\"answer\" has 4001"},
        BadStep{"IntroductionOverTheLimit",
                R"({"format": "linelab-lesson", "version": 2, "scene": "Noise", "introduction": )" +
                    Quoted(kMaxLessonTextChars + 1) + "}",
                "\"introduction\" has 4001"},
        BadStep{"TenThousandSteps", Many(10000, "{}"),
                "10000 steps; a lesson may have at most 200"},
        BadStep{"OneStepTooMany", Many(201, kOk), "201 steps"},
        BadStep{"AnswerWithoutQuestion", R"([{"title": "a", "answer": "42"}])", "no question"},
        BadStep{"ControlCharacter", R"([{"text": "bell\u0007"}])",
                "control character at character 5"},
        BadStep{"TextNotAString", R"([{"text": 5}])", "\"text\" must be a text"},
        BadStep{"StepsNotAList", R"({"title": "a"})", "\"steps\" must be a list"},
        BadStep{"StepNotAnObject", R"(["look"])", "step 1: must be an object"},
        BadStep{"UnknownEntryInAStep", R"([{"title": "a", "notes": "x"}])",
                "step 1: unknown entry \"notes\""},
        BadStep{"UnknownViewOption", R"([{"view": {"sparkles": 1}}])",
                "unknown option \"sparkles\"; the options are \"densityEyes\""},
        BadStep{"ViewNotZeroOrOne", R"([{"view": {"theory": 2}}])", "theory takes 0 or 1"},
        BadStep{"UnknownSceneInAStep", R"([{"scene": "Lesson 9"}])",
                "step 1: scene \"Lesson 9\" is not one of"},
        BadStep{"RunInAStep", R"([{"run": "fast"}])", "step 1: \"run\" must be"},
        BadStep{"NestedTooDeep", R"([{"lists": {"cmbNoise": [[[[[1]]]]]}}])", "nested"}),
    [](const auto& info) { return info.param.name; });

// The writer refuses what the reader would: a step left with nothing in it, a file too big.
TEST(GuidedLessonText, RefusesWhatWouldNotOpen) {
    Form1 form;
    GuidedLesson lesson;
    AddLessonStep(lesson, form, 0, "");
    std::string text = "untouched";
    auto problem = GuidedLessonText(lesson, text);
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, HasSubstr("step 1: holds nothing"));
    EXPECT_EQ(text, "untouched");

    lesson.steps.assign(kMaxLessonSteps, lesson.steps.front());
    for (LessonStep& step : lesson.steps) {
        step.title = "t";
        step.text = std::string(kMaxLessonTextChars, 'y');
        step.question = step.answer = step.text;
    }
    problem = GuidedLessonText(lesson, text);
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, HasSubstr("bytes; a lesson file may have at most 1048576"));
    lesson.steps.resize(kMaxLessonSteps + 1, lesson.steps.front());
    problem = GuidedLessonText(lesson, text);
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, HasSubstr("201 steps"));
}

TEST(GuidedLessonShow, APositionBeyondTheLastIsRefusedAndChangesNothing) {
    Form1 form;
    GuidedLesson lesson;
    AddLessonStep(lesson, form, 0, "one");
    const std::string before = Dump(form);
    const auto problem = ShowLessonStep(form, lesson, 2);
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, HasSubstr("the lesson has 1 step; there is no step 2"));
    EXPECT_EQ(Dump(form), before);
}

}  // namespace
}  // namespace linelab::test
