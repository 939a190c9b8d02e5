// Lessons: what is saved opens as the same window, and a file that cannot be applied is
// refused whole, with a message naming the file and the problem.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#if !defined(__EMSCRIPTEN__)
#include <sys/xattr.h>
#endif

#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>

#include "FormTestSupport.h"
#include "lesson/Lesson.h"
#include "lesson/OneLine.h"
#include "lesson/SaveFileAtomically.h"

namespace linelab::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// The browser build runs these tests under node, whose file layer has no FIFOs, no umask and
// no child processes to signal: the desktop's file checks are tested natively only.
#if defined(__EMSCRIPTEN__)
#define SKIP_WITHOUT_POSIX_FILES() GTEST_SKIP() << "node's file layer: no FIFOs, umask or fork"
#else
#define SKIP_WITHOUT_POSIX_FILES() (void)0
#endif

class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "linelab-lesson-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        path_ = pattern;
    }
    ~TempDir() { fs::remove_all(path_); }
    fs::path operator/(std::string_view name) const { return path_ / name; }
    std::size_t Count() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

  private:
    fs::path path_;
};

void Write(const fs::path& file, std::string_view text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A window far from the start-up one, different in each scene.
void Prepare(Form1& form, int scene) {
    ASSERT_TRUE(form.ApplyScene(scene));
    const std::array<const char*, 7> codes = {
        "Manchester",       "4B5B",        "Differential", "None",
        "Diff. Manchester", "4B5B + NRZI", "Manchester"};
    ASSERT_TRUE(form.SetText("cmbCode(0)", codes[static_cast<std::size_t>(scene)]));
    ASSERT_TRUE(form.SetText("cmbMod(0)", scene % 2 ? "4-PAM" : "Polar (N)RZI"));
    ASSERT_TRUE(form.SetText("cmbTxModPC(0)", "100"));
    ASSERT_TRUE(form.SetText("cmbTxFilter(0)", "RC"));
    ASSERT_TRUE(form.SetText("cmbTxFilter(1)", "Matched"));
    ASSERT_TRUE(form.SetText("cmbNoise", "0.37"));  // typed
    ASSERT_TRUE(form.SetText("cmbMultipathMag", "40"));
    ASSERT_TRUE(form.SetValue("hscDataZoom", 3));
    ASSERT_TRUE(form.SetValue("hscDataScroll", 20));
    ASSERT_TRUE(form.SetValue("vscThreshold", 30 + scene));
    ASSERT_TRUE(form.SetValue("chkRxEye", 1 - form.Check(CheckId::chkRxEye).value));
    ASSERT_TRUE(form.SetValue("chkLinear", 1));
    form.ClickPause();  // stopped
}

class LessonRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(LessonRoundTrip, SaveThenOpenGivesTheSameWindowWhateverItShowedBefore) {
    Form1 saved;
    Prepare(saved, GetParam());
    TempDir dir;
    ASSERT_FALSE(SaveLesson(saved, dir / "a.json"));

    Form1 opened;  // somewhere else entirely first
    Prepare(opened, (GetParam() + 3) % kSceneCount);
    ASSERT_TRUE(opened.SetText("cmbData", "All Zeros"));
    const auto problem = OpenLesson(opened, dir / "a.json");
    ASSERT_FALSE(problem) << *problem;
    EXPECT_EQ(Dump(opened), Dump(saved));
    EXPECT_EQ(LessonText(CollectLesson(opened)), Read(dir / "a.json"));
}

INSTANTIATE_TEST_SUITE_P(AllScenes, LessonRoundTrip, ::testing::Range(0, kSceneCount));

TEST(LessonExamples, EachOpensAndReopensAsTheSameWindow) {
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(LINELAB_LESSONS_DIR)) {
        ++examples;
        Form1 form;
        const auto problem = OpenLesson(form, entry.path());
        ASSERT_FALSE(problem) << *problem;
        TempDir dir;
        ASSERT_FALSE(SaveLesson(form, dir / "copy.json"));
        Form1 again;
        ASSERT_FALSE(OpenLesson(again, dir / "copy.json"));
        EXPECT_EQ(Dump(again), Dump(form)) << entry.path();
    }
    EXPECT_EQ(examples, 6);
}

TEST(LessonOpen, WhatTheFileLeavesOutComesFromTheStartupWindow) {
    Form1 form;
    Prepare(form, 6);
    ASSERT_FALSE(OpenLessonText(
        form, R"({"format": "linelab-lesson", "version": 1, "scene": "Noise"})", "short.json"));
    Form1 expected;
    ASSERT_TRUE(expected.ApplyScene(5));
    EXPECT_EQ(Dump(form), Dump(expected));
}

struct BadLesson {
    std::string name;
    std::string text;
    std::string mentions;

    friend void PrintTo(const BadLesson& b, std::ostream* os) { *os << b.name; }
};

class BadLessonFile : public ::testing::TestWithParam<BadLesson> {};

TEST_P(BadLessonFile, IsRefusedWithItsReasonAndChangesNothing) {
    Form1 form;
    Prepare(form, 4);
    const std::string before = Dump(form);
    const auto problem = OpenLessonText(form, GetParam().text, "bad.json");
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, ::testing::StartsWith("bad.json: "));
    EXPECT_THAT(*problem, HasSubstr(GetParam().mentions));
    EXPECT_EQ(Dump(form), before);
}

std::string Lesson(std::string_view rest) {
    return R"({"format": "linelab-lesson", "version": 1, "scene": "Full Channel")" +
           std::string(rest) + "}";
}

INSTANTIATE_TEST_SUITE_P(
    Classes, BadLessonFile,
    ::testing::Values(
        BadLesson{"Malformed", "{\"format\": \"linelab-lesson\",\n  \"version\": 1,,\n}",
                  "line 2, column 16"},
        BadLesson{"Empty", "", "line 1, column 1"},
        BadLesson{"InvalidUtf8",
                  Lesson(R"(, "lists": {"cmbNoise": "0.4)"
                         "\xff"
                         R"("})"),
                  "not valid JSON"},
        BadLesson{"NotAnObject", "[1, 2]", "no JSON object"},
        // Grammatical JSON, but the library throws another kind of exception for it.
        BadLesson{"NumberBeyondDouble", Lesson(R"(, "sliders": {"vscThreshold": 1e400})"), "1e400"},
        BadLesson{"OtherFormat", R"({"format": "slides", "version": 1})", "\"linelab-lesson\""},
        BadLesson{"NewerVersion", R"({"format": "linelab-lesson", "version": 3})",
                  "version 3 is newer than this program reads (2); open it with a newer LineLab"},
        BadLesson{"UnknownEntry", Lesson(R"(, "colours": 1)"), "\"colours\""},
        BadLesson{"UnknownControl", Lesson(R"(, "lists": {"cmbFoo": "1"})"), "\"cmbFoo\""},
        BadLesson{"ControlOfAnotherKind", Lesson(R"(, "checks": {"hscSample": 1})"),
                  "\"hscSample\""},
        BadLesson{"UnknownScene",
                  R"({"format": "linelab-lesson", "version": 1, "scene": "Lesson 9"})",
                  "\"Lesson 9\""},
        BadLesson{"FixedListRefuses", Lesson(R"j(, "lists": {"cmbCode(0)": "Foo"})j"),
                  "cmbCode(0): \"Foo\" is not one of its items"},
        // A narrow pulse leaves no raised cosine on the list the file sets after it.
        BadLesson{"ListRefilledByEarlierValue",
                  Lesson(R"j(, "lists": {"cmbTxFilter(0)": "RC", "cmbTxModPC(0)": "50"})j"),
                  "cmbTxFilter(0)"},
        BadLesson{"TextTooLong",
                  Lesson(R"(, "lists": {"cmbNoise": ")" + std::string(201, '1') + "\"}"),
                  "201 bytes"},
        BadLesson{"TextNotAString", Lesson(R"(, "lists": {"cmbNoise": 0.4})"), "cmbNoise"},
        BadLesson{"CheckNotZeroOrOne", Lesson(R"(, "checks": {"chkData": 2})"), "chkData"},
        BadLesson{"SliderOutOfRange", Lesson(R"(, "sliders": {"hscSample": 33})"),
                  "hscSample: takes a whole number from -32 to 32"},
        // The scroll range follows the zoom the file sets first.
        BadLesson{"SliderBeyondRangeOfEarlierValue",
                  Lesson(R"(, "sliders": {"hscDataZoom": 4, "hscDataScroll": 20})"), "0 to 13"},
        BadLesson{"SliderFraction", Lesson(R"(, "sliders": {"vscThreshold": 5.5})"), "5.5"},
        BadLesson{"RunState", Lesson(R"(, "run": "fast")"), "\"fast\""},
        BadLesson{"TooDeep", std::string(100, '[') + std::string(100, ']'), "nested"},
        // Unsigned numbers must not wrap into a range on their way to a signed one.
        BadLesson{"SliderAtTwoTo64", Lesson(R"(, "sliders": {"hscSample": 18446744073709551615})"),
                  "hscSample: takes"},
        BadLesson{"CheckAtTwoTo64", Lesson(R"(, "checks": {"chkData": 18446744073709551617})"),
                  "chkData"},
        BadLesson{"VersionZero", R"({"format": "linelab-lesson", "version": 0})", "from 1"},
        BadLesson{"VersionTwoTo64",
                  R"({"format": "linelab-lesson", "version": 18446744073709551615})", "newer"},
        BadLesson{"DuplicateKey", Lesson(R"(, "lists": {"cmbNoise": "0.1", "cmbNoise": "0.2"})"),
                  "\"cmbNoise\" in \"lists\" is given twice"},
        // The reader would stop at the NUL and drop what follows it.
        BadLesson{"NulThenAnything", Lesson("") + std::string("\0 anything", 10),
                  "NUL byte at line 1, column 68"},
        BadLesson{"NulAlone", Lesson("") + std::string(1, '\0'), "NUL byte"},
        BadLesson{"TrailingText", Lesson("") + "\n{}", "line 2, column 1"}),
    [](const auto& info) { return info.param.name; });

TEST(LessonFileChecks, SizeKindAndReadabilityAreCheckedBeforeReading) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    Form1 form;
    const std::string before = Dump(form);
    {
        std::ofstream big(dir / "big.json", std::ios::binary);
        big.seekp(10 * 1024 * 1024 - 1);
        big.put(' ');
    }
    const auto big = OpenLesson(form, dir / "big.json");
    ASSERT_TRUE(big);
    EXPECT_THAT(*big, HasSubstr("10485760 bytes; a lesson file may have at most 1048576"));
    const auto folder = OpenLesson(form, dir / ".");
    ASSERT_TRUE(folder);
    EXPECT_THAT(*folder, HasSubstr("is a directory"));
    const auto missing = OpenLesson(form, dir / "none.json");
    ASSERT_TRUE(missing);
    EXPECT_THAT(*missing, HasSubstr("none.json: cannot be read"));
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);  // reading it would block
    const auto pipe = OpenLesson(form, dir / "pipe");
    ASSERT_TRUE(pipe);
    EXPECT_THAT(*pipe, HasSubstr("not a regular file"));
    EXPECT_EQ(Dump(form), before);
}

TEST(LessonSave, AnInterruptedSaveLeavesTheOldFileWhole) {
    TempDir dir;
    Write(dir / "lesson.json", "old lesson");
    EXPECT_THROW(SaveFileAtomically(dir / "lesson.json", "new lesson",
                                    [] { throw std::runtime_error("power cut"); }),
                 std::runtime_error);
    EXPECT_EQ(Read(dir / "lesson.json"), "old lesson");
    EXPECT_EQ(dir.Count(), 1u);  // no temporary file left behind

    EXPECT_FALSE(SaveFileAtomically(dir / "lesson.json", "new lesson"));
    EXPECT_EQ(Read(dir / "lesson.json"), "new lesson");
    EXPECT_EQ(dir.Count(), 1u);

    const auto intoMissingFolder = SaveLesson(Form1(), dir / "no" / "lesson.json");
    ASSERT_TRUE(intoMissingFolder);
    EXPECT_THAT(*intoMissingFolder, HasSubstr("lesson.json: cannot be created"));
    const auto overFolder = SaveLesson(Form1(), dir / ".");
    ASSERT_TRUE(overFolder);
    EXPECT_THAT(*overFolder, HasSubstr("is a directory"));
}

// Runs `work` in a child process (as nobody when the tests run as root, whose writes no
// folder's mode stops) and returns its wait status.
int InChild(const std::function<int()>& work, bool unprivileged = false) {
    const pid_t child = fork();
    if (child == 0) {
        if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
        _exit(work());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

// What a save does with each kind of target: only a regular file (or a new name, possibly
// through a link) takes the new text.
TEST(LessonSave, ReplacesOnlyRegularFilesAndWritesThroughLinks) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    Write(dir / "real.json", "old");
    fs::create_symlink("real.json", dir / "link.json");
    fs::create_symlink("link.json", dir / "chain.json");
    fs::create_symlink("absent.json", dir / "dangling.json");
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("pipe", dir / "pipelink.json");
    fs::create_directory(dir / "folder");
    fs::create_symlink("/proc/self/fd/1", dir / "stdout");
    struct Case {
        std::string name, refusal, written;
    };
    for (const Case& c : std::vector<Case>{{"link.json", "", "real.json"},
                                           {"chain.json", "", "real.json"},
                                           {"dangling.json", "", "absent.json"},
                                           {"pipe", "is a FIFO", ""},
                                           {"pipelink.json", "pipe, which is a FIFO", ""},
                                           {"folder", "is a directory", ""},
                                           {"stdout", "a descriptor of this program", ""}}) {
        const auto problem = SaveFileAtomically(dir / c.name, "new " + c.name);
        if (c.refusal.empty()) {
            EXPECT_FALSE(problem) << c.name << ": " << *problem;
            EXPECT_EQ(Read(dir / c.written), "new " + c.name);
            EXPECT_TRUE(fs::is_symlink(dir / c.name)) << c.name;
        } else {
            ASSERT_TRUE(problem) << c.name;
            EXPECT_THAT(*problem, HasSubstr(c.refusal));
        }
    }
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_EQ(dir.Count(), 9u);  // absent.json made, nothing left behind
    const auto empty = SaveLesson(Form1(), "");
    ASSERT_TRUE(empty);
    EXPECT_THAT(*empty, HasSubstr("file name"));
}

TEST(LessonSave, KeepsTheOldModeAndGivesANewFileTheUmasks) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    Write(dir / "old.json", "old");
    fs::permissions(dir / "old.json", fs::perms(0640));
    const mode_t previous = umask(077);
    const auto keep = SaveFileAtomically(dir / "old.json", "new");
    const auto fresh = SaveFileAtomically(dir / "new.json", "new");
    umask(previous);
    ASSERT_FALSE(keep || fresh);
    EXPECT_EQ(fs::status(dir / "old.json").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(dir / "new.json").permissions(), fs::perms(0600));
}

TEST(LessonSave, ARefusingFolderLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    fs::permissions(dir / "", fs::perms(0755));  // reachable by the unprivileged child
    fs::create_directory(dir / "ro");
    Write(dir / "ro" / "lesson.json", "old lesson");
    fs::permissions(dir / "ro", fs::perms(0555));
    fs::permissions(dir / "ro" / "lesson.json", fs::perms(0666));
    const int status = InChild(
        [&] {
            const auto problem = SaveFileAtomically(dir / "ro" / "lesson.json", "new");
            return problem &&
                           problem->find("cannot be created in its folder") != std::string::npos &&
                           problem->find("Permission denied") != std::string::npos
                       ? 0
                       : 1;
        },
        true);
    fs::permissions(dir / "ro", fs::perms(0755));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Read(dir / "ro" / "lesson.json"), "old lesson");
    EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(dir / "ro"), {})), 1u);
}

// SIGTERM in the middle of a save: the process ends by the signal as before, the old lesson
// is whole and its temporary file is gone.
TEST(LessonSave, ASignalMidSaveRemovesTheTemporaryFile) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    Write(dir / "lesson.json", "old lesson");
    const int status = InChild([&] {
        SaveFileAtomically(dir / "lesson.json", "new lesson", [] { raise(SIGTERM); });
        return 0;
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(Read(dir / "lesson.json"), "old lesson");
    EXPECT_EQ(dir.Count(), 1u);
}

// Temporary files a killed save left: removed once old and unlocked, and only ours.
TEST(LessonSave, TheNextSaveRemovesStaleTemporaries) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    const auto old = fs::file_time_type::clock::now() - 2 * kStaleTemporaryAge;
    const std::vector<std::string> names = {
        ".lesson.json.linelab-Ab3dE6", ".lesson.json.linelab-Zz9yX8", ".lesson.json.linelab-fresh1",
        ".lesson.json.linelab-Ab3dE",  ".other.json.linelab-Ab3dE6",  ".lesson.json.Ab3dE6"};
    for (const std::string& name : names) {
        Write(dir / name, "partial");
        if (name != names[2]) fs::last_write_time(dir / name, old);
    }
    const int locked = open((dir / names[1]).c_str(), O_RDONLY);  // a save still writing
    ASSERT_EQ(flock(locked, LOCK_EX), 0);
    ASSERT_FALSE(SaveFileAtomically(dir / "lesson.json", "new"));
    close(locked);
    for (const std::string& name : names)
        EXPECT_EQ(fs::exists(dir / name), name != names[0]) << name;
    EXPECT_TRUE(IsSaveTemporaryName(names[0], "lesson.json"));
}

TEST(LessonRead, AHugeObjectIsRefusedWhileReading) {
    // 85,000 keys, just under the size limit: read key by key into an ordered object, this
    // took minutes.
    std::string text = R"({"format": "linelab-lesson", "version": 1, "lists": {)";
    for (int i = 0; i < 85000; ++i)
        text += (i ? ",\"" : "\"") + std::to_string(i) + "\":0";
    text += "}}";
    ASSERT_LT(text.size(), kMaxLessonBytes);
    Form1 form;
    const auto problem = OpenLessonText(form, text, "huge.json");
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, HasSubstr("\"lists\" holds more than 256 entries"));
}

// Whatever bytes a name or a file holds, a message is one line of valid UTF-8.
TEST(LessonRead, MessagesAreOneLineOfValidUtf8) {
    Form1 form;
    const auto problem = OpenLessonText(form, "{\"\xc3(\n", "two\nlines\xff.json");
    ASSERT_TRUE(problem);
    EXPECT_NO_THROW((void)LessonJson(*problem).dump()) << *problem;  // throws on invalid UTF-8
    EXPECT_EQ(problem->find('\n'), std::string::npos) << *problem;
    EXPECT_THAT(*problem, ::testing::StartsWith("two\\nlines\\xFF.json: "));
    for (const auto& [raw, escaped] : std::vector<std::pair<std::string, std::string>>{
             {"a\tb\rc\x01\x7f", "a\\tb\\rc\\x01\\x7F"},
             {"\xc3(", "\\xC3("},                           // a lead byte without its tail
             {"\xc0\xaf", "\\xC0\\xAF"},                    // overlong '/'
             {"\xed\xa0\x80", "\\xED\\xA0\\x80"},           // a surrogate
             {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},  // past U+10FFFF
             {"\xc2\x85|\xe2\x80\xa8", "\\u0085|\\u2028"},  // C1 control, line separator
             {"caf\xc3\xa9 \xf0\x9f\x8e\x93", "caf\xc3\xa9 \xf0\x9f\x8e\x93"}})
        EXPECT_EQ(OneLine(raw), escaped) << raw;
}

// Standard output and error are refused by what they are, whatever name leads to them: the
// shell's redirection target by its own name too. Run with both descriptors on files.
TEST(LessonSave, StandardOutputAndErrorAreRefusedByAnyName) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    for (const std::string& name :
         std::vector<std::string>{"/dev/fd/1", "/proc/self/fd/1", "/dev/fd/2", "/dev/stderr",
                                  (dir / "out.txt").string(), (dir / "err.txt").string()}) {
        const int status = InChild([&] {
            const int out = open((dir / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int err = open((dir / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0) return 2;
            const auto problem = SaveFileAtomically(name, "lesson");
            // /dev/stderr is already refused by its link into /proc.
            return problem && (problem->find("standard") != std::string::npos ||
                               problem->find("descriptor") != std::string::npos)
                       ? 0
                       : 1;
        });
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name << ": " << status;
        EXPECT_EQ(Read(dir / "out.txt"), "") << name;
        EXPECT_EQ(Read(dir / "err.txt"), "") << name;
    }
}

// Every signal that ends the program by default removes the save's temporary file first,
// and still ends it.
class SignalMidSave : public ::testing::TestWithParam<int> {};

TEST_P(SignalMidSave, LeavesTheOldFileAndNoTemporary) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    Write(dir / "lesson.json", "old lesson");
    const int signal = GetParam();
    const int status = InChild([&] {
        const struct rlimit noCore { 0, 0 };
        setrlimit(RLIMIT_CORE, &noCore);  // SIGQUIT and SIGXCPU would write one
        SaveFileAtomically(dir / "lesson.json", "new lesson", [signal] { raise(signal); });
        return 0;
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(Read(dir / "lesson.json"), "old lesson");
    EXPECT_EQ(dir.Count(), 1u);
}

// A signal the program handles itself does not end it: the save goes on and succeeds.
TEST(LessonSave, ASignalTheProgramHandlesLeavesTheSaveWhole) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    Write(dir / "lesson.json", "old lesson");
    static volatile std::sig_atomic_t handled = 0;
    struct sigaction counting {
    }, previous{};
    counting.sa_handler = [](int) { handled = handled + 1; };
    sigemptyset(&counting.sa_mask);
    ASSERT_EQ(sigaction(SIGUSR1, &counting, &previous), 0);
    const auto problem =
        SaveFileAtomically(dir / "lesson.json", "new lesson", [] { raise(SIGUSR1); });
    sigaction(SIGUSR1, &previous, nullptr);
    EXPECT_FALSE(problem) << *problem;
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(Read(dir / "lesson.json"), "new lesson");
    EXPECT_EQ(dir.Count(), 1u);
}

INSTANTIATE_TEST_SUITE_P(EndingSignals, SignalMidSave,
                         ::testing::Values(SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGALRM,
                                           SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ),
                         [](const auto& info) { return "Signal" + std::to_string(info.param); });

// A read-only file and one with other names are replaced only when the user was asked: the
// save would quietly drop the protection or split the names.
TEST(LessonSave, ReadOnlyAndLinkedFilesAreReplacedOnlyWhenAsked) {
    SKIP_WITHOUT_POSIX_FILES();
    TempDir dir;
    Write(dir / "ro.json", "old");
    fs::permissions(dir / "ro.json", fs::perms(0444));
    Write(dir / "twin.json", "old");
    fs::create_hard_link(dir / "twin.json", dir / "other.json");
    Write(dir / "plain.json", "old");
    struct Case {
        std::string name, reason;
    };
    for (const Case& c : std::vector<Case>{{"ro.json", "is read-only"},
                                           {"twin.json", "has 1 other name(s) (hard links)"},
                                           {"plain.json", ""},
                                           {"new.json", ""}}) {
        const auto reason = AskBeforeReplacing(dir / c.name);
        EXPECT_EQ(reason.has_value(), !c.reason.empty()) << c.name;
        EXPECT_THAT(reason.value_or(""), ::testing::StartsWith(c.reason)) << c.name;
        const auto refused = SaveFileAtomically(dir / c.name, "new");
        EXPECT_EQ(refused.has_value(), !c.reason.empty()) << c.name;
        if (refused) {
            EXPECT_THAT(*refused, HasSubstr(c.reason));
            EXPECT_THAT(*refused, HasSubstr("; it is replaced only when"));
            EXPECT_EQ(Read(dir / c.name), "old") << c.name;
        }
        EXPECT_FALSE(SaveFileAtomically(dir / c.name, "asked", {}, AskedFirst::Yes)) << c.name;
        EXPECT_EQ(Read(dir / c.name), "asked") << c.name;
    }
    EXPECT_EQ(fs::status(dir / "ro.json").permissions(), fs::perms(0444));
    EXPECT_EQ(Read(dir / "other.json"), "old");  // the twin keeps its text, as the user was told
}

#if !defined(__EMSCRIPTEN__)
TEST(LessonSave, KeepsExtendedAttributes) {
    TempDir dir;
    Write(dir / "tagged.json", "old");
    constexpr std::string_view kTag = "blue";
    if (setxattr((dir / "tagged.json").c_str(), "user.linelab.tag", kTag.data(), kTag.size(), 0) !=
        0)
        GTEST_SKIP() << "this file system takes no user attributes";
    ASSERT_FALSE(SaveFileAtomically(dir / "tagged.json", "new"));
    std::array<char, 16> value{};
    const ssize_t length =
        getxattr((dir / "tagged.json").c_str(), "user.linelab.tag", value.data(), value.size());
    EXPECT_EQ(std::string_view(value.data(), length > 0 ? static_cast<std::size_t>(length) : 0),
              kTag);
}
#endif

// The system's rule for links in shared sticky folders, which the save follows itself.
TEST(LessonSave, LinksInStickyFoldersFollowTheSystemsRule) {
    struct Case {
        mode_t folderMode;
        uid_t folderOwner, linkOwner, user;
        bool follows;
    };
    for (const Case& c : std::vector<Case>{{S_IFDIR | 01777, 0, 1000, 2000, false},
                                           {S_IFDIR | 01777, 0, 1000, 0, false},  // root too
                                           {S_IFDIR | 01777, 0, 1000, 1000, true},
                                           {S_IFDIR | 01777, 1000, 1000, 2000, true},
                                           {S_IFDIR | 01770, 0, 1000, 2000, true},
                                           {S_IFDIR | 00777, 0, 1000, 2000, true}}) {
        struct stat link {
        }, folder{};
        link.st_uid = c.linkOwner;
        folder.st_uid = c.folderOwner;
        folder.st_mode = c.folderMode;
        EXPECT_EQ(MayFollowLink(link, folder, c.user), c.follows)
            << std::oct << c.folderMode << std::dec << " " << c.folderOwner << " " << c.linkOwner
            << " " << c.user;
    }
    if (geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    TempDir dir;
    fs::create_directory(dir / "shared");
    fs::permissions(dir / "shared", fs::perms(01777));
    Write(dir / "victim.json", "precious");
    fs::create_symlink(dir / "victim.json", dir / "shared" / "lesson.json");
    ASSERT_EQ(lchown((dir / "shared" / "lesson.json").c_str(), 65534, 65534), 0);
    const auto problem = SaveFileAtomically(dir / "shared" / "lesson.json", "redirected");
    ASSERT_TRUE(problem);
    EXPECT_THAT(*problem, HasSubstr("link of another user's"));
    EXPECT_EQ(Read(dir / "victim.json"), "precious");
}

// A message quotes at most a fixed share of whatever the file or its name holds.
TEST(LessonRead, MessagesQuoteAFixedLengthWhateverTheFileHolds) {
    const std::string big(kMaxLessonBytes - 100, 'e');
    const std::string spaced = [] {
        std::string words;
        while (words.size() < 100000)
            words += "word ";
        return words;
    }();
    for (const std::string& text :
         {"{\"format\": tru" + big + "}", "{\"format\": \"" + big, "[1" + big + "]",
          "{\"format\": 1e" + std::string(100000, '9') + "}",
          Lesson(", \"scene\": \"" + spaced + "\""), Lesson(", \"run\": [\"" + spaced + "\"]"),
          Lesson(", \"lists\": {\"" + big + "\": 1}"),
          "{\"" + big + "\": 1, \"" + big + "\": 2}"}) {
        Form1 form;
        const auto problem = OpenLessonText(form, text, "big.json");
        ASSERT_TRUE(problem);
        EXPECT_LT(problem->size(), 300u) << problem->substr(0, 300);
    }
    Form1 form;
    const std::string longName = "/" + std::string(5000, 'd') + "/lesson\xff.json";
    const auto named = OpenLessonText(form, "[", longName);
    ASSERT_TRUE(named);
    EXPECT_LT(named->size(), kFileNameBytes + 150);
    EXPECT_THAT(*named, HasSubstr("/lesson\\xFF.json: "));  // the file's own name is kept
    // A save names the missing folder too, cut the same way.
    std::string deep = "/nowhere";
    for (int i = 0; i < 39; ++i)
        deep += "/" + std::string(100, 'f');
    const auto save = SaveLesson(Form1(), deep + "/lesson.json");
    ASSERT_TRUE(save);
    EXPECT_THAT(*save, HasSubstr("cannot be created in its folder"));
    EXPECT_LT(save->size(), 2 * kFileNameBytes + 100) << *save;
}

struct CutCase {
    std::string text, cut, quoted;
};

TEST(LessonRead, QuotesAreCutAtACharacterBoundaryOnOneLine) {
    const std::string accents = [] {
        std::string e;
        for (int i = 0; i < 40; ++i)
            e += "\xc3\xa9";
        return e;
    }();
    for (const CutCase& c : std::vector<CutCase>{
             {"short", "short", "\"short\""},
             {std::string(61, 'x'), std::string(60, 'x') + "...",
              "\"" + std::string(60, 'x') + "\"..."},
             {accents, accents.substr(0, 60) + "...", "\"" + accents.substr(0, 60) + "\"..."},
             {"x\ny\x1b[2J", "x\\ny\\x1B[2J", "\"x\\ny\\u001b[2J\""},
             {"\xff\xfe", "\\xFF\\xFE", "\"\xef\xbf\xbd\xef\xbf\xbd\""},
             {"\x7f\xc2\x9b\xe2\x80\xa8", "\\x7F\\u009B\\u2028", "\"\\u007f\\u009b\\u2028\""}}) {
        EXPECT_EQ(CutForMessage(c.text), c.cut) << c.text;
        EXPECT_EQ(QuotedForMessage(c.text), c.quoted) << c.text;
    }
    EXPECT_EQ(MessageForDisplay(std::string(10000, 'm') + "\n").size(), kMessageBytes + 3);
}

}  // namespace
}  // namespace linelab::test
