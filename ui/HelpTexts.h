#pragma once
// The texts of the two help windows, for every view: paragraphs joined by line breaks.

#include <string>
#include <string_view>

namespace linelab {

std::string AboutHelpText(std::string_view version);
std::string InstructionsHelpText();
// The page's: the same without what only the window has (zoom, full screen, export).
std::string PageInstructionsHelpText();

}  // namespace linelab
