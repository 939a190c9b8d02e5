// The JSON the dump is made of: string literals that are valid whatever bytes were typed,
// numbers that read back exactly, and the commas in the right places.

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <ostream>

#include "tests/CaseName.h"
#include "tests/tools/JsonReader.h"
#include "tools/batch/JsonString.h"
#include "tools/batch/JsonWriter.h"

namespace linelab::test {
namespace {

std::string Literal(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

struct StringCase {
    std::string_view input;
    std::string_view literal;

    friend void PrintTo(const StringCase& c, std::ostream* os) { *os << ShortText(c.input); }
};

class JsonStringLiteral : public ::testing::TestWithParam<StringCase> {};

TEST_P(JsonStringLiteral, EscapesAndRepairs) {
    const std::string literal = Literal(GetParam().input);
    EXPECT_EQ(literal, GetParam().literal);
    EXPECT_NO_THROW(ParseJson(literal)) << literal;
}

// U+FFFD is EF BF BD; one replaces each maximal ill-formed prefix.
INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringLiteral,
    ::testing::Values(
        StringCase{"Random Data", "\"Random Data\""}, StringCase{"", "\"\""},
        StringCase{"say \"hi\"", "\"say \\\"hi\\\"\""}, StringCase{"a\\b", "\"a\\\\b\""},
        StringCase{"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
        StringCase{std::string_view("\x00\x1f\x7f", 3), "\"\\u0000\\u001f\\u007f\""},
        StringCase{"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",
                   "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\""},
        StringCase{"\x80", "\"\xef\xbf\xbd\""},
        StringCase{"\xff\xfe", "\"\xef\xbf\xbd\xef\xbf\xbd\""},
        StringCase{"\xc0\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\""},                  // overlong
        StringCase{"\xe0\x80\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},  // overlong
        StringCase{"\xed\xa0\x80", "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},  // surrogate
        StringCase{"\xf4\x90\x80\x80",
                   "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\""},  // above U+10FFFF
        StringCase{"\xe2\x82", "\"\xef\xbf\xbd\""},                          // cut short at the end
        StringCase{"\xe2\x82"
                   "A",
                   "\"\xef\xbf\xbd"
                   "A\""},  // cut short before ASCII
        StringCase{"\xf0\x9f\x98\"", "\"\xef\xbf\xbd\\\"\""}));

TEST(JsonString, MessagesCutLongTextsAtACharacterBoundary) {
    EXPECT_EQ(QuotedForMessage("short"), "\"short\"");
    std::string accents;
    for (int i = 0; i < 100; ++i)
        accents += "\xc3\xa9";
    const std::string quoted = QuotedForMessage(accents, 61);
    EXPECT_EQ(quoted, "\"" + accents.substr(0, 60) + "\"...");
    EXPECT_EQ(QuotedForMessage(std::string(1000, 'x')).size(), 60u + 2 + 3);
}

class JsonNumber : public ::testing::TestWithParam<double> {};

TEST_P(JsonNumber, ReadsBackAsTheSameDouble) {
    std::string out;
    JsonWriter(out).Number(GetParam());
    const double back = std::strtod(out.c_str(), nullptr);
    EXPECT_EQ(std::bit_cast<uint64_t>(back), std::bit_cast<uint64_t>(GetParam())) << out;
    EXPECT_EQ(ParseJson(out).type, JsonValue::Type::Number) << out;
}

INSTANTIATE_TEST_SUITE_P(Values, JsonNumber,
                         ::testing::Values(0.0, -0.0, 0.1, 1.0 / 3, 2.8 / std::sqrt(5.0), 1e21,
                                           -1e-7, 4096.0, DBL_MAX, DBL_MIN,
                                           std::numeric_limits<double>::denorm_min(),
                                           0.30000000000000004));

TEST(JsonNumber, ShortestFormAndNullForNonFinite) {
    std::string out;
    JsonWriter json(out);
    json.BeginArray();
    for (double v : {1.5, 0.1, 100.0, -0.25, std::nan(""), HUGE_VAL, -HUGE_VAL})
        json.Number(v);
    json.EndArray();
    EXPECT_EQ(out, "[1.5,0.1,100,-0.25,null,null,null]");
}

TEST(JsonWriter, PlacesCommasInNestedValues) {
    std::string out;
    JsonWriter json(out);
    json.BeginObject();
    json.Key("a");
    const std::array<int16_t, 3> bits = {1, 0, -3};
    json.Array(std::span<const int16_t>(bits));
    json.Key("b");
    json.BeginObject();
    json.Key("c");
    json.Bool(true);
    json.Key("d");
    json.BeginArray();
    json.EndArray();
    json.EndObject();
    json.Key("e");
    json.String("x");
    json.Key("f");
    json.Null();
    json.EndObject();
    EXPECT_EQ(out, "{\"a\":[1,0,-3],\"b\":{\"c\":true,\"d\":[]},\"e\":\"x\",\"f\":null}");
}

}  // namespace
}  // namespace linelab::test
