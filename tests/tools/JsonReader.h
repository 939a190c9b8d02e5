#pragma once
// A strict reader of JSON text for checking the tool's output: the library's parser, which
// accepts only what the JSON grammar allows (UTF-8 text, escaped control characters, no
// trailing commas) and reads numbers with strtod, as any consumer of the dump would.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace linelab::test {

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // a string's value, or a number as written
    std::vector<JsonValue> elements;
    std::vector<std::pair<std::string, JsonValue>> members;  // in the order written

    // The member named key; fails the calling test (by throwing) when there is none.
    const JsonValue& operator[](std::string_view key) const;
    std::vector<double> Numbers() const;  // an array of numbers
};

// Throws std::runtime_error naming the offset of the first fault.
JsonValue ParseJson(std::string_view text);

}  // namespace linelab::test
