#pragma once
// The --help text: every option, every control an assignment sets with its valid values
// at start-up, the dump names, the exit statuses and examples.

#include <string>

namespace linelab {

std::string HelpText();

}  // namespace linelab
