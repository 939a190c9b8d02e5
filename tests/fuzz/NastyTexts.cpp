#include "tests/fuzz/NastyTexts.h"

#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace linelab::fuzz {
namespace {

using namespace std::string_literals;

std::vector<std::string> Build() {
    std::vector<std::string> t = {
        // Nothing, blanks and lone punctuation.
        "",
        " ",
        "   ",
        "\t",
        "\n",
        "\r\n",
        "+",
        "-",
        "+-",
        "--1",
        ".",
        "-.",
        "+.",
        "..",
        "..1",
        "1..",
        "1.5.5",
        "1,5",
        "e",
        "e5",
        "1e",
        "1e+",
        "1e-",
        "1E",
        "1d5",
        "&H10",
        "0x10",
        "0b101",
        "  12abc",
        "12abc",
        "abc12",
        "1 2",
        "\t7\t",
        // Signs, zeros and the smallest steps.
        "0",
        "-0",
        "+0",
        "0.0",
        "-0.0",
        "00000",
        "-1",
        "-0.5",
        "-100",
        "-1e999",
        "0.5e-1",
        // Beyond the double range, and at its edges.
        "1e999",
        "1e-999",
        "-1e-999",
        "1e308",
        "-1e308",
        "1.7976931348623157e308",
        "1.7976931348623159e308",
        "4.9e-324",
        "2.4e-324",
        "1e-320",
        "1e+308",
        "9e99999999999",
        "1e-99999999999",
        "1e2147483648",
        "1e-2147483649",
        // Words a number reader might accept.
        "inf",
        "-inf",
        "+inf",
        "INF",
        "Infinity",
        "-Infinity",
        "nan",
        "NaN",
        "-nan",
        "NAN(1)",
        "None",
        "none",
        "RC",
        "Matched",
        // Integer and array edges.
        "127",
        "128",
        "255",
        "256",
        "2047",
        "2048",
        "2049",
        "4096",
        "32767",
        "32768",
        "-32768",
        "-32769",
        "65536",
        "2147483647",
        "2147483648",
        "-2147483648",
        "-2147483649",
        "9223372036854775807",
        "18446744073709551616",
        "99999999999999999999",
        // The edges of the typed-number limits: pulse width, excess bandwidth, band edges,
        // noise level, echo gain and delay.
        "1",
        "3",
        "3.125",
        "3.1249",
        "6",
        "6.25",
        "100",
        "100.1",
        "101",
        "99.5",
        "0.5",
        "0.1",
        "0.09",
        "0.094",
        "0.095",
        "0.105",
        "6.0",
        "6.004",
        "6.005",
        "6.01",
        "7",
        "8",
        "16",
        "127.99",
        "128.03125",
        "1000",
        "1e5",
        "1e6",
        "1e7",
        "1e12",
        "1e13",
        "99999",
        "100000",
        "100001",
        "0.03125",
        "0.03124",
        "0.0312",
        // Other scripts, look-alike digits, emoji, broken UTF-8 and NUL bytes.
        "\xc2\xb5",
        "\xc2\xbd",
        "\xd9\xa3",
        "\xef\xbc\x91\xef\xbc\x92",
        "1\xc2\xa0"
        "5",
        "\xe2\x88\x92"
        "1",
        "\xf0\x9f\x98\x80",
        "1\xf0\x9f\x98\x80",
        "\xf0\x9f\x98\x80"
        "1",
        "\xff",
        "\xfe\xff",
        "\xc3",
        "1\xc3",
        "\xed\xa0\x80",
        "\xc0\x80",
        "\x01\x02\x7f",
        "\0"s,
        "1\0"s,
        "\0"
        "1"s,
        "1\0"
        "5"s,
        "\0\0\0"s,
    };
    // Long numbers: exactly the longest text a box accepts, one past it, and far beyond.
    const std::size_t cap = kMaxListText;
    t.push_back(std::string(cap, '9'));
    t.push_back(std::string(cap + 1, '9'));
    t.push_back(std::string(400, '9'));
    t.push_back(std::string(1000, '7'));
    t.push_back(std::string(10000, '3'));
    t.push_back("0." + std::string(cap - 3, '0') + "1");
    t.push_back("1e" + std::string(cap - 2, '9'));
    t.push_back("-" + std::string(cap - 1, '8'));
    t.push_back(std::string(cap - 1, ' ') + "5");
    t.push_back(std::string(cap, '.'));
    std::string emoji;
    while (emoji.size() + 4 <= cap)
        emoji += "\xf0\x9f\x98\x80";
    t.push_back(emoji);
    t.push_back(std::string(cap, '\0'));
    return t;
}

}  // namespace

std::span<const std::string> NastyTexts() {
    static const std::vector<std::string> texts = Build();
    return texts;
}

}  // namespace linelab::fuzz
