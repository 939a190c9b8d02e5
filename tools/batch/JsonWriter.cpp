#include "tools/batch/JsonWriter.h"

#include <array>
#include <charconv>
#include <cmath>

#include "tools/batch/JsonString.h"

namespace linelab {
namespace {

// The library's own number form differs ("100.0" and "100000.0" where every recorded dump
// has "100" and "1e+05"), so doubles keep std::to_chars's shortest round-trip form, which
// is at most 24 characters.
void AppendShortest(std::string& out, double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

template <typename Items, typename Write>
void AppendItems(std::string& out, char open, char close, const Items& items, Write write) {
    out += open;
    bool first = true;
    for (const auto& item : items) {
        if (!first) out += ',';
        first = false;
        write(item);
    }
    out += close;
}

}  // namespace

void AppendJson(std::string& out, const Json& value) {
    switch (value.type()) {
        case Json::value_t::object:
            AppendItems(out, '{', '}', value.get_ref<const Json::object_t&>(),
                        [&out](const auto& member) {
                            AppendJsonString(out, member.first);
                            out += ':';
                            AppendJson(out, member.second);
                        });
            return;
        case Json::value_t::array:
            AppendItems(out, '[', ']', value.get_ref<const Json::array_t&>(),
                        [&out](const Json& element) { AppendJson(out, element); });
            return;
        case Json::value_t::string:
            AppendJsonString(out, value.get_ref<const std::string&>());
            return;
        case Json::value_t::number_float:
            if (std::isfinite(value.get<double>())) {
                AppendShortest(out, value.get<double>());
            } else {
                out += "null";
            }
            return;
        default:
            out += value.dump();  // integers, booleans, null
            return;
    }
}

Json JsonWriter::NumberValue(double value) {
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

void JsonWriter::Value(Json value) {
    if (open_.empty()) {
        AppendJson(out_, value);
    } else if (open_.back().value.is_object()) {
        open_.back().value[key_] = std::move(value);
    } else {
        open_.back().value.push_back(std::move(value));
    }
}

void JsonWriter::Begin(Json container) {
    open_.push_back({std::move(container), key_});
}

void JsonWriter::End() {
    Open done = std::move(open_.back());
    open_.pop_back();
    key_ = std::move(done.key);
    Value(std::move(done.value));
}

void JsonWriter::BeginObject() {
    Begin(Json::object());
}

void JsonWriter::EndObject() {
    End();
}

void JsonWriter::BeginArray() {
    Begin(Json::array());
}

void JsonWriter::EndArray() {
    End();
}

void JsonWriter::Key(std::string_view key) {
    key_ = key;
}

void JsonWriter::String(std::string_view text) {
    Value(Json(std::string(text)));
}

void JsonWriter::Integer(int64_t value) {
    Value(Json(value));
}

void JsonWriter::Bool(bool value) {
    Value(Json(value));
}

void JsonWriter::Null() {
    Value(Json(nullptr));
}

void JsonWriter::Number(double value) {
    Value(NumberValue(value));
}

}  // namespace linelab
