#include "tests/fuzz/FuzzAction.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "tests/fuzz/NastyTexts.h"
#include "ui/Form1.h"

namespace linelab::fuzz {
namespace {

// The boxes that take typed text.
constexpr std::array kEditableBoxes = {
    ListId::cmbTxModPC0, ListId::cmbTxModPC1,       ListId::cmbTxBW0,        ListId::cmbTxBW1,
    ListId::cmbTxEB0,    ListId::cmbTxEB1,          ListId::cmbHighPass,     ListId::cmbLowPass,
    ListId::cmbNoise,    ListId::cmbMultipathDelay, ListId::cmbMultipathMag,
};

// Names a batch script might get wrong.
constexpr std::array<std::string_view, 17> kBogusNames = {
    "",
    "cmbCode(2)",
    "cmbCode(-1)",
    "cmbCode",
    "cmbCode(0",
    "lblFreq(9)",
    "lblFreq(08)",
    "cmbcode(0)",
    "Timer1",
    "cmdPause",
    "lblBER",
    "picTxEye ",
    "\xff",
    "cmbCode(+1)",
    "cmbCode( 1)",
    "lblFreq(3)",
    "cmbCode(99999999999999999999)",
};

// Characters a long typed run is made of.
constexpr std::string_view kRunChars = "0123456789.-+e \t\xff";

std::string NumberLike(ByteReader& in) {
    std::string t;
    if (in.Byte() & 1) t += in.Byte() & 1 ? '-' : '+';
    const int digits = in.Below(24);
    for (int i = 0; i < digits; ++i)
        t += static_cast<char>('0' + in.Below(10));
    if (in.Byte() & 1) t += '.';
    const int decimals = in.Below(24);
    for (int i = 0; i < decimals; ++i)
        t += static_cast<char>('0' + in.Below(10));
    if (in.Byte() & 1) {
        t += 'e';
        t += std::to_string(static_cast<int16_t>(in.Word()));
    }
    return t;
}

std::string TypedText(ByteReader& in) {
    const auto dictionary = NastyTexts();
    const auto entry = [&] { return dictionary[in.Below(static_cast<int>(dictionary.size()))]; };
    switch (in.Below(6)) {
        case 0:
        case 1:
            return entry();
        case 2:
            return entry() + entry();
        case 3:
            return in.Bytes(in.Byte());
        case 4: {
            const char c = kRunChars[in.Below(static_cast<int>(kRunChars.size()))];
            return std::string(in.Word() % 12000, c);
        }
        default:
            return NumberLike(in);
    }
}

int CheckValue(ByteReader& in) {
    const int v = in.Below(8);
    return v < 6 ? (v & 1) : (v == 6 ? -1 : 2);
}

Action NameAction(ByteReader& in) {
    Action a;
    a.op = Op::ByName;
    a.target = in.Below(4);
    const auto names = ControlNames();
    const int pick = in.Below(static_cast<int>(names.size() + kBogusNames.size()));
    a.name = pick < static_cast<int>(names.size())
                 ? std::string(names[pick])
                 : std::string(kBogusNames[pick - static_cast<int>(names.size())]);
    switch (static_cast<NameVerb>(a.target)) {
        case NameVerb::SetText:
            a.text = TypedText(in);
            break;
        case NameVerb::PickItem:
            a.value = in.Below(12) - 1;
            break;
        case NameVerb::SetValue:
            a.value = static_cast<int16_t>(in.Word());
            break;
        case NameVerb::Click:
            break;
    }
    return a;
}

Action SliderAction(ByteReader& in) {
    Action a;
    a.op = Op::Slider;
    a.target = in.Below(CountOf<SliderId>());
    // Mostly a position inside the slider's range as it is when the action runs (the ends
    // included, where the threshold slider has its special case); sometimes any 16-bit value.
    if (in.Below(4) < 3) {
        a.value2 = 1;
        a.value = in.Word();
    } else {
        a.value = static_cast<int16_t>(in.Word());
    }
    return a;
}

// Panel sizes in scale units: none, a sliver, a pixel, the model's own, a large screen.
int PanelSize(ByteReader& in, int own) {
    constexpr std::array kSizes = {0, 1, 15, 150, -1, -1, 3000 * 15, 40000 * 15};
    const int size = kSizes[in.Below(static_cast<int>(kSizes.size()))];
    return size < 0 ? own : size;
}

std::string Escaped(char c, char quote) {
    const auto u = static_cast<unsigned char>(c);
    if (c == quote || c == '\\') return std::string("\\") + c;
    if (u >= 32 && u < 127) return std::string(1, c);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\%03o", u);
    return buffer;
}

std::string Quoted(std::string_view name) {
    std::string out = "\"";
    for (char c : name)
        out += Escaped(c, '"');
    return out + "\"";
}

std::string DescribeByName(const Action& a) {
    const std::string name = Quoted(a.name);
    switch (static_cast<NameVerb>(a.target)) {
        case NameVerb::Click:
            return "form.Click(" + name + ");";
        case NameVerb::SetText:
            return "form.SetText(" + name + ", " + CppText(a.text) + ");";
        case NameVerb::PickItem:
            return "form.PickItem(" + name + ", " + std::to_string(a.value) + ");";
        case NameVerb::SetValue:
            return "form.SetValue(" + name + ", " + std::to_string(a.value) + ");";
    }
    return {};
}

}  // namespace

Action TypeAction(ListId id, std::string text) {
    Action a;
    a.op = Op::Type;
    a.target = static_cast<int>(id);
    a.text = std::move(text);
    return a;
}

Action TickAction(int ticks) {
    Action a;
    a.op = Op::Tick;
    a.value = ticks;
    return a;
}

Action SceneAction(int index) {
    Action a;
    a.op = Op::Scene;
    a.value = index;
    return a;
}

Action CheckAction(CheckId id, int value) {
    Action a;
    a.op = Op::Check;
    a.target = static_cast<int>(id);
    a.value = value;
    return a;
}

Action NextAction(ByteReader& in) {
    Action a;
    switch (in.Below(20)) {
        case 0:
        case 1:
        case 2:
        case 3:
            a.op = Op::Type;
            a.target = static_cast<int>(kEditableBoxes[in.Below(kEditableBoxes.size())]);
            a.text = TypedText(in);
            return a;
        case 4:
            a.op = Op::Type;  // any list, the fixed ones included
            a.target = in.Below(CountOf<ListId>());
            a.text = TypedText(in);
            return a;
        case 5:
        case 6:
            a.op = Op::Pick;
            a.target = in.Below(CountOf<ListId>());
            a.value = in.Below(12) - 1;
            return a;
        case 7:
            a.op = Op::Scene;
            a.value = in.Below(9) - 1;
            return a;
        case 8:
        case 9:
            a.op = Op::Check;
            a.target = in.Below(CountOf<CheckId>());
            a.value = CheckValue(in);
            return a;
        case 10:
            return SliderAction(in);
        case 11:
            a.op = Op::ClickPicture;
            a.target = in.Below(CountOf<PictureId>());
            return a;
        case 12:
            a.op = Op::Pause;
            return a;
        case 13:
            a.op = Op::Ber;
            return a;
        case 14:
            return NameAction(in);
        case 15:
            a.op = Op::Resize;
            a.target = in.Below(CountOf<PictureId>());
            a.value = PanelSize(in, -1);
            a.value2 = PanelSize(in, -1);
            return a;
        default:
            a.op = Op::Tick;
            a.value = 1 + in.Below(4);
            return a;
    }
}

std::string CppText(const std::string& text) {
    if (text.empty()) return "std::string()";
    std::string out;
    std::string literal;
    std::size_t literalLength = 0;
    const auto append = [&out](const std::string& piece) {
        out += out.empty() ? piece : " + " + piece;
    };
    const auto flush = [&] {
        if (literalLength == 0) return;
        append("std::string(\"" + literal + "\", " + std::to_string(literalLength) + ")");
        literal.clear();
        literalLength = 0;
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t run = 1;
        while (i + run < text.size() && text[i + run] == text[i])
            ++run;
        if (run >= 8) {
            flush();
            append("std::string(" + std::to_string(run) + ", '" + Escaped(text[i], '\'') + "')");
        } else {
            for (std::size_t k = 0; k < run; ++k)
                literal += Escaped(text[i], '"');
            literalLength += run;
        }
        i += run;
    }
    flush();
    return out;
}

std::string Describe(const Action& a) {
    const auto list = [&] { return Quoted(NameOf(static_cast<ListId>(a.target))); };
    switch (a.op) {
        case Op::Type:
            return "form.SetText(" + list() + ", " + CppText(a.text) + ");";
        case Op::Pick:
            return "form.PickItem(" + list() + ", " + std::to_string(a.value) + ");";
        case Op::Scene:
            return "form.ApplyScene(" + std::to_string(a.value) + ");";
        case Op::Check:
            return "form.SetValue(" + Quoted(NameOf(static_cast<CheckId>(a.target))) + ", " +
                   std::to_string(a.value) + ");";
        case Op::Slider:
            return "form.SetValue(" + Quoted(NameOf(static_cast<SliderId>(a.target))) + ", " +
                   std::to_string(a.value) + ");";
        case Op::ClickPicture:
            return "form.Click(" + Quoted(NameOf(static_cast<PictureId>(a.target))) + ");";
        case Op::Pause:
            return "form.ClickPause();";
        case Op::Ber:
            return "form.ClickBer();";
        case Op::ByName:
            return DescribeByName(a);
        case Op::Tick:
            return "for (int i = 0; i < " + std::to_string(a.value) +
                   "; ++i) if (form.Timer().enabled) form.Timer1_Timer();";
        case Op::Resize:
            return "// the canvas of " + std::string(NameOf(static_cast<PictureId>(a.target))) +
                   " becomes " + std::to_string(a.value) + " x " + std::to_string(a.value2) +
                   " units";
    }
    return {};
}

}  // namespace linelab::fuzz
