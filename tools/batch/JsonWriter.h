#pragma once
// A small streaming JSON writer: objects, arrays, strings, integers, doubles and booleans
// appended to one string, with the commas placed for the caller.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace linelab {

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
    // The shortest text that reads back as exactly this double. JSON has no NaN or
    // infinity: a non-finite value is written as null.
    void Number(double value);

    template <typename T>
    void Array(std::span<const T> values) {
        BeginArray();
        for (const T& v : values) {
            if constexpr (std::is_floating_point_v<T>) {
                Number(v);
            } else {
                Integer(v);
            }
        }
        EndArray();
    }

  private:
    void BeforeValue();

    std::string& out_;
    // One entry per open object or array: true until its first member is written.
    std::vector<bool> first_;
    bool afterKey_ = false;
};

}  // namespace linelab
