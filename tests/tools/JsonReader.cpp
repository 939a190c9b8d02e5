#include "tests/tools/JsonReader.h"

#include <cstdlib>
#include <stdexcept>

namespace linelab::test {
namespace {

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    JsonValue Document() {
        JsonValue value = Value();
        SkipBlanks();
        if (pos_ != text_.size()) Fail("text after the value");
        return value;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(pos_));
    }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    bool AtEnd() const { return pos_ >= text_.size(); }
    void Expect(char c) {
        if (Peek() != c || AtEnd()) Fail(std::string("expected '") + c + "'");
        ++pos_;
    }
    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t'))
            ++pos_;
    }
    bool Literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    JsonValue Value() {
        SkipBlanks();
        JsonValue v;
        if (Peek() == '{') return Object();
        if (Peek() == '[') return Array();
        if (Peek() == '"') {
            v.type = JsonValue::Type::String;
            v.text = String();
        } else if (Literal("true")) {
            v.type = JsonValue::Type::Bool;
            v.boolean = true;
        } else if (Literal("false")) {
            v.type = JsonValue::Type::Bool;
        } else if (Literal("null")) {
            v.type = JsonValue::Type::Null;
        } else {
            v = Number();
        }
        return v;
    }

    JsonValue Object() {
        JsonValue v;
        v.type = JsonValue::Type::Object;
        Expect('{');
        SkipBlanks();
        if (Peek() == '}') {
            ++pos_;
            return v;
        }
        while (true) {
            SkipBlanks();
            std::string key = String();
            SkipBlanks();
            Expect(':');
            v.members.emplace_back(std::move(key), Value());
            SkipBlanks();
            if (Peek() == '}') break;
            Expect(',');
        }
        ++pos_;
        return v;
    }

    JsonValue Array() {
        JsonValue v;
        v.type = JsonValue::Type::Array;
        Expect('[');
        SkipBlanks();
        if (Peek() == ']') {
            ++pos_;
            return v;
        }
        while (true) {
            v.elements.push_back(Value());
            SkipBlanks();
            if (Peek() == ']') break;
            Expect(',');
        }
        ++pos_;
        return v;
    }

    // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
    JsonValue Number() {
        const std::size_t start = pos_;
        const auto digits = [this] {
            const std::size_t from = pos_;
            while (Peek() >= '0' && Peek() <= '9' && !AtEnd())
                ++pos_;
            if (pos_ == from) Fail("expected a digit");
            return pos_ - from;
        };
        if (Peek() == '-') ++pos_;
        const bool leadingZero = Peek() == '0';
        if (digits() > 1 && leadingZero) Fail("leading zero");
        if (Peek() == '.') {
            ++pos_;
            digits();
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-') ++pos_;
            digits();
        }
        JsonValue v;
        v.type = JsonValue::Type::Number;
        v.text = std::string(text_.substr(start, pos_ - start));
        v.number = std::strtod(v.text.c_str(), nullptr);
        return v;
    }

    std::string String() {
        Expect('"');
        std::string out;
        while (true) {
            if (AtEnd()) Fail("unterminated string");
            const auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == '"') break;
            if (c < 0x20) Fail("raw control character in a string");
            if (c == '\\') {
                Escape(out);
            } else if (c < 0x80) {
                out += static_cast<char>(c);
                ++pos_;
            } else {
                Utf8(out);
            }
        }
        ++pos_;
        return out;
    }

    void Escape(std::string& out) {
        ++pos_;
        const char e = Peek();
        ++pos_;
        switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                return;
            case 'b':
                out += '\b';
                return;
            case 'f':
                out += '\f';
                return;
            case 'n':
                out += '\n';
                return;
            case 'r':
                out += '\r';
                return;
            case 't':
                out += '\t';
                return;
            case 'u':
                break;
            default:
                Fail("bad escape");
        }
        if (pos_ + 4 > text_.size()) Fail("short \\u escape");
        const unsigned long code = std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16);
        pos_ += 4;
        if (code >= 0x80) Fail("the writer escapes only ASCII control characters");
        out += static_cast<char>(code);
    }

    // One well-formed UTF-8 sequence, copied as it stands.
    void Utf8(std::string& out) {
        const auto lead = static_cast<unsigned char>(text_[pos_]);
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        if (lead >= 0xE0 && lead <= 0xEF) length = 3;
        if (lead >= 0xF0 && lead <= 0xF4) length = 4;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
        if (length == 0 || pos_ + static_cast<std::size_t>(length) > text_.size())
            Fail("ill-formed UTF-8");
        for (int i = 1; i < length; ++i) {
            const auto b = static_cast<unsigned char>(text_[pos_ + static_cast<std::size_t>(i)]);
            if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) Fail("ill-formed UTF-8");
        }
        out.append(text_.substr(pos_, static_cast<std::size_t>(length)));
        pos_ += static_cast<std::size_t>(length);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](std::string_view key) const {
    for (const auto& [name, value] : members)
        if (name == key) return value;
    throw std::runtime_error("JSON: no member " + std::string(key));
}

std::vector<double> JsonValue::Numbers() const {
    std::vector<double> numbers;
    for (const JsonValue& e : elements) {
        if (e.type != Type::Number) throw std::runtime_error("JSON: not a number: " + e.text);
        numbers.push_back(e.number);
    }
    return numbers;
}

JsonValue ParseJson(std::string_view text) {
    return Reader(text).Document();
}

}  // namespace linelab::test
