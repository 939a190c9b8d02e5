#include "tests/fuzz/ArgumentFuzzCheck.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "lesson/OneLine.h"
#include "tools/batch/BatchOptions.h"
#include "tools/batch/BatchSession.h"

namespace linelab::fuzz {
namespace {

constexpr std::size_t kMaxArguments = 32;
constexpr std::string_view kTool = "linelab-batch: ";

std::string CheckMessage(const std::string& message) {
    const std::string shown = MessageForDisplay(message);
    if (!message.starts_with(kTool)) return "a refusal without the tool's name: " + shown;
    if (message.size() > kMessageBytes)
        return "a refusal of " + std::to_string(message.size()) + " bytes: " + shown;
    for (const char c : message) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "a refusal with a control character: " + shown;
    }
    try {
        (void)nlohmann::json(message).dump();  // the strict dump throws on invalid UTF-8
    } catch (const nlohmann::json::exception&) {
        return "a refusal that is no UTF-8: " + shown;
    }
    return "";
}

}  // namespace

std::vector<std::string> SplitArguments(std::span<const uint8_t> bytes) {
    std::vector<std::string> args;
    std::string_view rest(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    while (!rest.empty() && args.size() < kMaxArguments) {
        const std::size_t end = rest.find('\0');
        args.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return args;
}

ArgumentCheck CheckArgumentInput(std::span<const uint8_t> bytes) {
    const std::vector<std::string> args = SplitArguments(bytes);
    const std::vector<std::string_view> views(args.begin(), args.end());
    const ParsedArguments parsed = ParseArguments(views);
    if (parsed.error) return {CheckMessage(*parsed.error), false};
    const BatchOptions& options = parsed.options;
    // A sweep runs for as long as its points ask; its options are checked above.
    if (options.help || options.sweep) return {"", true};
    std::ostringstream messages;
    BatchSession session(messages);
    if (const auto refusal = session.Apply(options.assignments))
        return {CheckMessage(*refusal), false};
    if (options.dump) {
        if (!nlohmann::json::accept(session.Output(options)))
            return {"the dump is not valid JSON", true};
    }
    return {"", true};
}

}  // namespace linelab::fuzz
