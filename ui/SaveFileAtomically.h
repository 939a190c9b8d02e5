#pragma once
// Replaces a file's contents all at once: the text goes to a temporary file in the same
// folder, is flushed to the disk, and is renamed over the target. A failure at any point
// (or an exception from beforeRename, which tests use to stand for a crash) leaves the old
// file as it was and removes the temporary file.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace linelab {

// Returns the problem (the system's words) or nothing.
std::optional<std::string> SaveFileAtomically(const std::filesystem::path& file,
                                              std::string_view text,
                                              const std::function<void()>& beforeRename = {});

}  // namespace linelab
