#include "tools/batch/JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>

#include "tools/batch/JsonString.h"

namespace linelab {

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    first_.push_back(true);
}

void JsonWriter::EndObject() {
    out_ += '}';
    first_.pop_back();
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    first_.push_back(true);
}

void JsonWriter::EndArray() {
    out_ += ']';
    first_.pop_back();
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendJsonString(out_, key);
    out_ += ':';
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    AppendJsonString(out_, text);
}

void JsonWriter::Integer(int64_t value) {
    BeforeValue();
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out_.append(buffer.data(), result.ptr);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

void JsonWriter::Number(double value) {
    if (!std::isfinite(value)) {
        Null();
        return;
    }
    BeforeValue();
    // The shortest round-trip form is at most 24 characters ("-2.2250738585072014e-308").
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out_.append(buffer.data(), result.ptr);
}

}  // namespace linelab
