#include "tools/batch/HelpText.h"

#include <algorithm>
#include <vector>

#include "tools/batch/ApplyAssignment.h"
#include "tools/batch/JsonString.h"
#include "tools/batch/MeasureDump.h"
#include "tools/batch/StateDump.h"
#include "tools/batch/WriteDump.h"
#include "ui/Form1.h"

namespace linelab {
namespace {

constexpr std::string_view kUsage =
    "Usage: linelab-batch [--runs N] [--dump NAME[,NAME...]] [--lesson FILE [--step N]]\n"
    "                     [--save-lesson FILE [--force]] [CONTROL=TEXT ...]\n"
    "       linelab-batch --sweep EbN0=FROM:STEP:TO [--min-errors N] [--max-bits N]\n"
    "                     [--jobs N] [--seed N] [--lesson FILE] [CONTROL=TEXT ...]\n"
    "       linelab-batch --stateye | --bathtub [--lesson FILE] [CONTROL=TEXT ...]\n"
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
    "  --lesson FILE         open a lesson file before the assignments (its settings as in\n"
    "                        the window; the tool keeps running whatever its run state)\n"
    "  --step N              with --lesson: apply the guided lesson's steps 1 to N after\n"
    "                        its own settings, as stepping through it in the window does\n"
    "                        (0: the lesson's start; a step beyond its last is refused)\n"
    "  --save-lesson FILE    after the runs, write the settings as a lesson file (written\n"
    "                        beside it first and renamed over it, never half-written)\n"
    "  --force               let --save-lesson replace a read-only file, or one with other\n"
    "                        names (hard links, which keep the old lesson); without it, such\n"
    "                        a file is refused before anything runs\n"
    "  --sweep EbN0=FROM:STEP:TO\n"
    "                        instead of the runs, a bit error rate curve over Eb/N0 in dB\n"
    "                        (FROM, FROM+STEP, ... up to TO, both ends included; at most\n"
    "                        1000 points), printed as CSV (below)\n"
    "  --min-errors N        a point ends when it has N errors (default 100, N >= 1) ...\n"
    "  --max-bits N          ... or N compared bits (default 100000000, N >= 1)\n"
    "  --jobs N              worker threads, 1 to 256 (default: one per core)\n"
    "  --seed N              the sweep's seed, 0 or more (default 1)\n"
    "  --runner folded|engine\n"
    "                        how a sweep's runs are made: folded (default) works at the 128\n"
    "                        decision instants only, about twenty times faster, the same in\n"
    "                        distribution; engine runs the full chain\n"
    "  --noise fixed|per-run the sweep's noise: fixed (default) refers the noise density to\n"
    "                        the setting's mean transmitted energy, as a real channel does;\n"
    "                        per-run scales it to each run's own energy, as the window does\n"
    "                        unless its \"Fixed N0\" box is checked\n"
    "  --thresholds midway|as-set\n"
    "                        what the decisions compare with: midway (default) between the\n"
    "                        levels the receiver sees, or the thresholds as set (the slider)\n"
    "  --stateye             instead of the runs, the statistical eye of the settings: the\n"
    "                        rate of wrong decisions at every sampling instant by 256\n"
    "                        thresholds, computed from the responses and the noise, printed\n"
    "                        as CSV (below)\n"
    "  --bathtub             instead of the runs, the bathtub curves of the settings and their\n"
    "                        readouts, printed as CSV (below)\n"
    "  --help, -h            this text\n"
    "  (--runs=N, --dump=NAMES and the sweep's options with = work as well)\n"
    "\n"
    "A sweep starts from the settings the assignments leave and runs, for each point, engines\n"
    "with every panel off and the noise level that gives the point's Eb/N0 (the noise applies\n"
    "whatever the scene). The same seed gives the same CSV whatever --jobs is. It prints the\n"
    "header\n"
    "  ebn0_db,noise_w_per_khz,bits,errors,ber,ber_low,ber_high,theory,runner,interval_low,\n"
    "  interval_high,interval_method,noise,thresholds,decisions\n"
    "and one line per point, in order, as soon as the point and those before it are done:\n"
    "ber is errors / bits, ber_low and ber_high the exact (Clopper-Pearson) 95 % interval,\n"
    "theory the ideal receiver's rate for the transmit mapping and line code (reached with\n"
    "\"Root RC\" at the transmitter and \"Matched\" at the receiver over a perfect channel),\n"
    "exact for the receiver's own decoding rules at a fixed noise density and thresholds\n"
    "midway between the levels. ber_low and ber_high assume independent bit errors; line\n"
    "decoders make errors in clusters, so interval_low and interval_high give the 95 %\n"
    "interval from the spread between blocks of the point's runs (interval_method\n"
    "\"blocks\"), or the exact one over clusters of the size the line code gives its errors\n"
    "(\"exact\") when there are fewer than 10 errors or 5 runs; runner the runner that made\n"
    "the point (folded, engine, or mixed); noise and thresholds the receiver's choices (fixed\n"
    "or per-run, midway or as-set); decisions what the decisions compared with: midway, as-set\n"
    "(asked for, or midway could not be formed), or inseparable when two levels arrive with\n"
    "the same mean, so that no thresholds tell them apart and ber says nothing of the link.\n"
    "It does not combine with --runs or --dump.\n"
    "\n"
    "--stateye and --bathtub compute instead of running: from the settings the assignments\n"
    "leave (one design pass, every panel off), the chain's response to one level, the exact\n"
    "joint statistics of the levels the line code sends and the receive filter's noise at the\n"
    "noise box's level (referred to the setting's mean transmitted energy; none while the\n"
    "scene hides the noise box), the probability that a decision is wrong. --stateye prints\n"
    "  sample,threshold,rate\n"
    "one line per sampling instant (hscSample -32 to 32) and threshold (256, ascending, in the\n"
    "receive eye's units): the rate at which samples fall on the wrong side of that threshold.\n"
    "--bathtub prints\n"
    "  curve,x,rate,data_rate\n"
    "with lines \"instant\" (x the instant; rate the wrong decisions per slot with the\n"
    "thresholds in use, data_rate the data-bit error rate after decoding), \"threshold\" (x a\n"
    "threshold, at the instant in use), \"in-use-instant\", \"in-use-threshold\",\n"
    "\"best-instant\", \"best-threshold\", and \"eye-width\" and \"eye-height\" (x how far the\n"
    "instant, in slots, or the threshold may move with the rate at or below rate: 1e-06 and\n"
    "1e-12). They need the same mapping at both ends (else status 2), do not combine with\n"
    "each other, --runs, --dump or --sweep, and do not change the settings.\n"
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
    "text a fixed list does not hold, slider value out of range, unknown dump name, a\n"
    "lesson file that cannot be read or applied): nothing runs and one line on standard\n"
    "error says why; 3 a run stopped the timer (no further run is computed; the output is\n"
    "printed as usual); 1 the output or the lesson could not be written.\n"
    "\n"
    "Examples:\n"
    "  Bit error rate over 10000 frames with noise, in the \"Noise\" scene:\n"
    "    linelab-batch --runs 10000 cmbScene=Noise cmbNoise=0.4\n"
    "  The four responses after one frame with a raised-cosine transmit filter:\n"
    "    linelab-batch --dump dTxResponse,dRxResponse,dChannelResponse,dTotalResponse \\\n"
    "        cmbScene=Straight 'cmbTxFilter(0)=RC' 'cmbTxEB(0)=30'\n"
    "  The bathtubs of AMI through a low-pass channel with noise:\n"
    "    linelab-batch --bathtub 'cmbScene=Full Channel' 'cmbMod(0)=AMI' cmbNoise=0.01\n"
    "  A bit error rate curve for polar NRZ with matched Root RC filters, 0 to 8 dB:\n"
    "    linelab-batch --sweep EbN0=0:1:8 'cmbMod(0)=Polar (N)RZ' \\\n"
    "        'cmbTxFilter(0)=Root RC' 'cmbTxFilter(1)=Matched'\n"
    "  The start-up state of every control:\n"
    "    linelab-batch --runs 0 --dump controls\n";

constexpr std::size_t kWidth = 88;

// Appends the words after `lead`, separated by `separator`, wrapped at kWidth columns;
// continuation lines are indented to the width of `lead`.
template <typename Words>
void AppendWrapped(std::string& out, std::string_view lead, const Words& words,
                   std::string_view separator) {
    const std::string indent(lead.size(), ' ');
    std::string line(lead);
    bool first = true;
    for (const auto& word : words) {
        std::string piece(first ? "" : separator);
        piece += word;
        if (!first && line.size() + piece.size() > kWidth) {
            // The separator's mark (a comma) stays at the end of the broken line.
            const std::string_view mark = separator.substr(0, separator.find_last_not_of(' ') + 1);
            out.append(line).append(mark).append("\n");
            line = indent;
            piece = word;
        }
        line += piece;
        first = false;
    }
    out.append(line).append("\n");
}

void AppendLists(std::string& out, const Form1& form) {
    out += "\nLists (fixed: one of the items; editable: any text, items offered):\n";
    for (const ListControl& list : form.Lists()) {
        const auto id = static_cast<ListId>(&list - form.Lists().data());
        std::string lead = "  ";
        lead += list.name;
        lead.resize(std::max<std::size_t>(lead.size() + 1, 21), ' ');
        lead += IsFixedList(form, id) ? "fixed:    " : "editable: ";
        std::vector<std::string> items;
        for (const std::string& item : list.items)
            items.push_back(QuotedForMessage(item));
        AppendWrapped(out, lead, items, ", ");
    }
}

void AppendSwitches(std::string& out, const Form1& form) {
    out += "\nCheck boxes (0 or 1):\n";
    std::vector<std::string_view> names;
    for (const CheckControl& check : form.Checks())
        names.push_back(check.name);
    AppendWrapped(out, "  ", names, " ");
    out += "\nSliders (a whole number within the range):\n";
    for (const SliderControl& slider : form.Sliders()) {
        out.append("  ").append(slider.name).append(" ").append(std::to_string(slider.min));
        out.append(" to ").append(std::to_string(slider.max)).append("\n");
    }
    out += "  (hscDataScroll's maximum follows hscDataZoom: 49, 37, 25, 13 for zoom 1 to 4)\n";
}

void AppendDumpNames(std::string& out) {
    out += "\nDump names:\n";
    AppendWrapped(out, "  run state: ", StateFieldNames(), ", ");
    out.append("  ").append(kAllControlsName).append(": every control of the window\n");
    out +=
        "  a control: an object with \"visible\" and, as the control has them, \"text\",\n"
        "  \"items\", \"value\", \"min\", \"max\", \"caption\"; Timer1 gives \"enabled\" and\n"
        "  \"interval\". Every control name:\n";
    AppendWrapped(out, "  ", ControlNames(), " ");
    AppendWrapped(out, "  measurements: ", MeasureFieldNames(), ", ");
    out +=
        "    EbN0dB, EsN0dB: the setting's Eb/N0 and Es/N0 in dB (Eb the transmitted energy\n"
        "    per data bit, N0 the density of the noise before the receive filter), null when\n"
        "    no noise is applied\n"
        "    BitErrors, BitsCompared: the counts since the BER last restarted; BERLow, BERHigh:\n"
        "    their exact (Clopper-Pearson) 95 % interval\n"
        "    Eye: the receive eye's opening from its samples since it was last cleared (every\n"
        "    run adds to it, whatever chkRxEye): per level \"mean\" and \"sigma\", per gap "
        "between\n"
        "    adjacent levels \"height\" and \"width\" (symbol periods), the smallest gap's \"q\"\n"
        "    and the \"predictedBER\" of the data bits after decoding (of the code bits where\n"
        "    the two ends' mapping, line code or pre-coding differ)\n";
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
