#include "tools/batch/HelpText.h"

#include "tools/batch/ApplyAssignment.h"
#include "tools/batch/JsonString.h"
#include "tools/batch/StateDump.h"
#include "tools/batch/WriteDump.h"
#include "ui/Form1.h"

namespace linelab {
namespace {

constexpr std::string_view kUsage =
    "Usage: linelab-batch [--runs N] [--dump NAME[,NAME...]] [CONTROL=TEXT ...]\n"
    "\n"
    "Runs the LineLab simulation without a window. It starts as the window starts (every\n"
    "list at its default, scene \"Just Data\", the timer running), applies the assignments\n"
    "left to right as a user's changes in the window (with every cascade: the receiver\n"
    "following the transmitter, scenes, list refills), runs N frames one after another and\n"
    "prints the caption of lblBER, or with --dump one JSON object.\n"
    "\n"
    "Options:\n"
    "  --runs N              frames to run, N = 0, 1, 2, ... (default 1)\n"
    "  --dump NAME[,NAME...] print one JSON object with one key per name instead of the\n"
    "                        BER line; may be given more than once\n"
    "  --help, -h            this text\n"
    "  (--runs=N and --dump=NAMES work as well)\n"
    "\n"
    "Assignments CONTROL=TEXT (quote them in the shell: cmbCode(0) has parentheses).\n"
    "A text equal to an item picks it; an editable list also takes typed text (up to 200\n"
    "bytes). Setting a control the scene hides is allowed, but noise applies only while\n"
    "cmbNoise is visible and inversion only while chkInvert is visible (scenes \"Noise\",\n"
    "\"Full Channel\"; \"Tx Filter\", \"Full Tx\", \"Straight\"). The items below are those at\n"
    "start-up: cmbTxFilter offers \"RC\" and \"Root RC\" only while its pulse width is 100 or\n"
    "more, and the pulse-width lists hold only \"100\" for AMI, MLT3 and HDB3.\n";

constexpr std::string_view kEnd =
    "\n"
    "Messages that the window shows in a box are printed to standard error as\n"
    "\"message: TEXT\", one line each.\n"
    "\n"
    "Exit status: 0 done; 2 refused (bad option, unknown control, malformed assignment,\n"
    "text a fixed list does not hold, slider value out of range, unknown dump name):\n"
    "nothing runs and one line on standard error says why; 3 a run stopped the timer (no\n"
    "further run is computed; the output is printed as usual); 1 the output could not be\n"
    "written.\n"
    "\n"
    "Examples:\n"
    "  Bit error rate over 10000 frames with noise, in the \"Noise\" scene:\n"
    "    linelab-batch --runs 10000 cmbScene=Noise cmbNoise=0.4\n"
    "  The four responses after one frame with a raised-cosine transmit filter:\n"
    "    linelab-batch --dump dTxResponse,dRxResponse,dChannelResponse,dTotalResponse \\\n"
    "        cmbScene=Straight 'cmbTxFilter(0)=RC' 'cmbTxEB(0)=30'\n"
    "  The start-up state of every control:\n"
    "    linelab-batch --runs 0 --dump controls\n";

std::string Joined(std::span<const std::string_view> names, std::string_view separator) {
    std::string text;
    for (std::string_view name : names) {
        if (!text.empty()) text += separator;
        text += name;
    }
    return text;
}

void AppendLists(std::string& out, const Form1& form) {
    out += "\nLists (fixed: one of the items; editable: any text, items offered):\n";
    for (const ListControl& list : form.Lists()) {
        const auto id = static_cast<ListId>(&list - form.Lists().data());
        std::string line = "  ";
        line += list.name;
        line.resize(std::max<std::size_t>(line.size() + 1, 21), ' ');
        line += IsFixedList(form, id) ? "fixed:    " : "editable: ";
        for (std::size_t i = 0; i < list.items.size(); ++i) {
            if (i > 0) line += ", ";
            line += QuotedForMessage(list.items[i]);
        }
        out += line + "\n";
    }
}

void AppendSwitches(std::string& out, const Form1& form) {
    out += "\nCheck boxes (0 or 1):\n ";
    for (const CheckControl& check : form.Checks())
        out.append(" ").append(check.name);
    out += "\n\nSliders (a whole number within the range):\n";
    for (const SliderControl& slider : form.Sliders()) {
        out.append("  ").append(slider.name).append(" ").append(std::to_string(slider.min));
        out.append(" to ").append(std::to_string(slider.max)).append("\n");
    }
    out += "  (hscDataScroll's maximum follows hscDataZoom: 49, 37, 25, 13 for zoom 1 to 4)\n";
}

void AppendDumpNames(std::string& out) {
    out += "\nDump names:\n  run state: " + Joined(StateFieldNames(), ", ") + "\n";
    out.append("  ").append(kAllControlsName).append(": every control of the window\n");
    out +=
        "  a control: an object with \"visible\" and, as the control has them, \"text\",\n"
        "  \"items\", \"value\", \"min\", \"max\", \"caption\"; Timer1 gives \"enabled\" and\n"
        "  \"interval\". Every control name:\n  " +
        Joined(ControlNames(), " ") + "\n";
}

}  // namespace

std::string HelpText() {
    const Form1 form;  // the start-up state: its lists and ranges are what the help shows
    std::string out(kUsage);
    AppendLists(out, form);
    AppendSwitches(out, form);
    AppendDumpNames(out);
    out += kEnd;
    return out;
}

}  // namespace linelab
