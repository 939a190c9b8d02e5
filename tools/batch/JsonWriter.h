#pragma once
// Builds one JSON value with the library's ordered document, in the order the caller writes
// it, and appends its text to one string once the outermost value is complete. Numbers are
// written in the shortest form that reads back exactly, as the dump always has.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace linelab {

using Json = nlohmann::ordered_json;

// The text of a value: compact, keys in insertion order, doubles in their shortest
// round-trip form (std::to_chars), strings as AppendJsonString writes them.
void AppendJson(std::string& out, const Json& value);

class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);  // inside an object, before each value

    void String(std::string_view text);
    void Integer(int64_t value);
    void Bool(bool value);
    void Null();
    // JSON has no NaN or infinity: a non-finite value is written as null.
    void Number(double value);
    void Value(Json value);  // a value built elsewhere

    template <typename T>
    void Array(std::span<const T> values) {
        Json array = Json::array();
        array.get_ref<Json::array_t&>().reserve(values.size());
        for (const T& v : values) {
            if constexpr (std::is_floating_point_v<T>) {
                array.push_back(NumberValue(v));
            } else {
                array.push_back(static_cast<int64_t>(v));
            }
        }
        Value(std::move(array));
    }

  private:
    struct Open {
        Json value;
        std::string key;  // where the value goes in the enclosing object
    };
    static Json NumberValue(double value);
    void Begin(Json container);
    void End();

    std::string& out_;
    std::vector<Open> open_;
    std::string key_;
};

}  // namespace linelab
