#include "tests/tools/JsonReader.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

namespace linelab::test {
namespace {

// Builds JsonValue from the library's event parser, which keeps each number's text as
// written and the members in the order written (duplicates included).
JsonValue Of(JsonValue::Type type) {
    JsonValue value;
    value.type = type;
    return value;
}

class Builder : public nlohmann::json_sax<nlohmann::json> {
  public:
    JsonValue Result() { return std::move(root_); }

    bool null() override { return Add(JsonValue{}); }
    bool boolean(bool value) override {
        JsonValue v = Of(JsonValue::Type::Bool);
        v.boolean = value;
        return Add(std::move(v));
    }
    bool number_integer(number_integer_t value) override {
        return Number(static_cast<double>(value), std::to_string(value));
    }
    bool number_unsigned(number_unsigned_t value) override {
        return Number(static_cast<double>(value), std::to_string(value));
    }
    bool number_float(number_float_t value, const string_t& text) override {
        return Number(value, text);
    }
    bool string(string_t& value) override {
        JsonValue v = Of(JsonValue::Type::String);
        v.text = value;
        return Add(std::move(v));
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override { return Open(JsonValue::Type::Object); }
    bool key(string_t& value) override {
        keys_.back() = value;
        return true;
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(JsonValue::Type::Array); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& e) override {
        throw std::runtime_error("JSON: " + std::string(e.what()) + " at offset " +
                                 std::to_string(position));
    }

  private:
    bool Number(double value, const std::string& text) {
        JsonValue v = Of(JsonValue::Type::Number);
        v.number = value;
        v.text = text;
        return Add(std::move(v));
    }
    bool Open(JsonValue::Type type) {
        open_.push_back(Of(type));
        keys_.emplace_back();
        return true;
    }
    bool Close() {
        JsonValue done = std::move(open_.back());
        open_.pop_back();
        keys_.pop_back();
        return Add(std::move(done));
    }
    bool Add(JsonValue value) {
        if (open_.empty()) {
            root_ = std::move(value);
        } else if (open_.back().type == JsonValue::Type::Object) {
            open_.back().members.emplace_back(keys_.back(), std::move(value));
        } else {
            open_.back().elements.push_back(std::move(value));
        }
        return true;
    }

    JsonValue root_;
    std::vector<JsonValue> open_;
    std::vector<std::string> keys_;
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
    Builder builder;
    nlohmann::json::sax_parse(text.begin(), text.end(), &builder);
    return builder.Result();
}

}  // namespace linelab::test
