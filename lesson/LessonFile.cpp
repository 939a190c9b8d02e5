#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_set>
#include <vector>

#include "lesson/GuidedLesson.h"
#include "lesson/Lesson.h"
#include "lesson/OneLine.h"
#include "lesson/SaveFileAtomically.h"

namespace linelab {
namespace {

std::string Named(const std::filesystem::path& file, std::string_view problem) {
    return FileNameForMessage(file) + ": " + OneLine(problem);
}

// The file's size as the system reports it; anything but a regular file is refused, since
// reading a FIFO or a device could block or never end.
std::optional<std::string> CheckFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error) return "cannot be read: " + error.message();
    if (std::filesystem::is_directory(status)) return "is a directory, not a lesson file";
    if (!std::filesystem::is_regular_file(status)) return "is not a regular file";
    const auto size = std::filesystem::file_size(file, error);
    if (error) return "cannot be read: " + error.message();
    if (size > kMaxLessonBytes) {
        return "is " + std::to_string(size) + " bytes; a lesson file may have at most " +
               std::to_string(kMaxLessonBytes);
    }
    return std::nullopt;
}

// Line and column (both from 1, the column in bytes) of a byte offset.
std::string Position(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(offset - lineStart + 1);
}

// The library quotes what it read ("last read: '...'", "parsing '1e400'"), which may be a
// whole file's worth of one token: the quote is cut as every other.
std::string CutQuote(const std::string& what) {
    const std::size_t open = what.find('\'');
    const std::size_t close = what.rfind('\'');
    if (open == std::string::npos || close == open) return what;
    return what.substr(0, open + 1) + CutForMessage(what.substr(open + 1, close - open - 1)) +
           what.substr(close);
}

// The library's words without its own prefix and position.
std::string Reason(const nlohmann::json::exception& e) {
    std::string what = e.what();
    if (const std::size_t bracket = what.find("] "); bracket != std::string::npos)
        what.erase(0, bracket + 2);
    if (what.starts_with("parse error")) {
        if (const std::size_t colon = what.find(": "); colon != std::string::npos)
            what.erase(0, colon + 2);
    }
    return CutQuote(what);
}

// A first pass over the text, event by event, that refuses what no lesson could be before
// the document is built, in time linear in the text's size. The document's parser is only
// linear within these limits: an ordered object looks a key up by walking its entries, so
// every key of a large object would walk all before it (the cap is far above the entries
// any group holds), and the library's filtering parser walks a whole array after each object
// in it, so it is not used. Each object's keys go into a hash set, so a key given twice
// (which the library would quietly overwrite) is found without that walk.
class ShapeCheck {
  public:
    bool null() { return true; }
    bool boolean(bool) { return true; }
    bool number_integer(LessonJson::number_integer_t) { return true; }
    bool number_unsigned(LessonJson::number_unsigned_t) { return true; }
    bool number_float(LessonJson::number_float_t, const std::string&) { return true; }
    bool string(std::string&) { return true; }
    bool binary(LessonJson::binary_t&) { return true; }
    bool start_object(std::size_t) { return Open(); }
    bool start_array(std::size_t) { return Open(); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }
    bool key(std::string& key) {
        Level& level = levels_.back();
        level.lastKey = key;
        if (level.keys.size() >= kMaxLessonEntries) {
            problem_ = (level.name.empty() ? "an object" : Quoted(level.name)) +
                       " holds more than " + std::to_string(kMaxLessonEntries) +
                       " entries; no lesson does";
        } else if (!level.keys.insert(key).second) {
            problem_ = "the entry " + Quoted(key) +
                       (level.name.empty() ? "" : " in " + Quoted(level.name)) + " is given twice";
        }
        return !problem_;
    }
    // The document's parser finds the same fault and says where it is.
    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception&) {
        return false;
    }

    const std::optional<std::string>& Problem() const { return problem_; }

  private:
    bool Open() {
        if (levels_.size() >= static_cast<std::size_t>(kMaxLessonDepth)) {
            problem_ = "nested more than " + std::to_string(kMaxLessonDepth) +
                       " levels deep; no lesson is";
            return false;
        }
        levels_.push_back({{}, levels_.empty() ? "" : levels_.back().lastKey, {}});
        return true;
    }
    bool Close() {
        levels_.pop_back();
        return true;
    }
    // A short JSON literal of a key for the message.
    static std::string Quoted(const std::string& key) { return QuotedForMessage(key); }

    struct Level {
        std::unordered_set<std::string> keys;
        std::string name;  // the key this object or array is the value of
        std::string lastKey;
    };
    std::vector<Level> levels_;
    std::optional<std::string> problem_;
};

}  // namespace

std::optional<std::string> ParseLesson(std::string_view text, const std::filesystem::path& file,
                                       LessonJson& lesson) {
    // The reader takes a NUL for the end of the text, so whatever followed one would be
    // quietly dropped: a lesson is text, and holds none.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        return Named(file, "holds a NUL byte at " + Position(text, nul) + "; a lesson is text");
    ShapeCheck shape;
    if (!LessonJson::sax_parse(text.begin(), text.end(), &shape) && shape.Problem())
        return Named(file, *shape.Problem());
    try {
        lesson = LessonJson::parse(text.begin(), text.end());
    } catch (const nlohmann::json::parse_error& e) {
        // The library counts the offending byte from 1.
        const std::size_t offset = e.byte > 0 ? e.byte - 1 : 0;
        return Named(file, "not valid JSON at " + Position(text, offset) + ": " + Reason(e));
    } catch (const nlohmann::json::exception& e) {
        // Well-formed but beyond what a double holds, such as 1e400.
        return Named(file, "cannot be read as JSON: " + Reason(e));
    }
    return std::nullopt;
}

std::optional<std::string> ReadLessonText(const std::filesystem::path& file, std::string& text) {
    if (auto problem = CheckFile(file)) return Named(file, *problem);
    std::ifstream in(file, std::ios::binary);
    if (!in) return Named(file, std::string("cannot be read: ") + std::strerror(errno));
    // At most one byte past the limit, in case the file grew since it was measured.
    text.assign(kMaxLessonBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return Named(file, "cannot be read");
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxLessonBytes) return Named(file, "grew beyond the size a lesson may have");
    return std::nullopt;
}

std::optional<std::string> ReadGuidedLessonText(const Form1& form, std::string_view text,
                                                const std::filesystem::path& file,
                                                GuidedLesson& lesson) {
    LessonJson json;
    if (auto problem = ParseLesson(text, file, json)) return problem;
    if (auto problem = ReadGuidedLesson(form, json, lesson)) return Named(file, *problem);
    return std::nullopt;
}

std::optional<std::string> OpenLessonText(Form1& form, std::string_view text,
                                          const std::filesystem::path& file, LessonRunState run) {
    // Every value, every step's too, is tried on a start-up model first; what the file
    // leaves out is filled in from it.
    GuidedLesson lesson;
    if (auto problem = ReadGuidedLessonText(form, text, file, lesson)) return problem;
    if (auto problem = ShowLessonStep(form, lesson, 0, run)) return Named(file, *problem);
    return std::nullopt;
}

std::optional<std::string> OpenLesson(Form1& form, const std::filesystem::path& file,
                                      LessonRunState run) {
    std::string text;
    if (auto problem = ReadLessonText(file, text)) return problem;
    return OpenLessonText(form, text, file, run);
}

std::optional<std::string> SaveLesson(const Form1& form, const std::filesystem::path& file,
                                      AskedFirst asked) {
    if (file.empty()) return "a lesson needs a file name; none was given";
    if (auto problem = SaveFileAtomically(file, LessonText(CollectLesson(form)), {}, asked))
        return Named(file, *problem);
    return std::nullopt;
}

std::optional<std::string> SaveGuidedLesson(const GuidedLesson& lesson,
                                            const std::filesystem::path& file, AskedFirst asked) {
    if (file.empty()) return "a lesson needs a file name; none was given";
    std::string text;
    if (auto problem = GuidedLessonText(lesson, text)) return Named(file, *problem);
    if (auto problem = SaveFileAtomically(file, text, {}, asked)) return Named(file, *problem);
    return std::nullopt;
}

}  // namespace linelab
