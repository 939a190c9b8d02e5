#pragma once
// Replaces a file's contents all at once: the text goes to a temporary file in the target's
// folder, is flushed to the disk, and is renamed over the target. A failure at any point
// (or an exception from beforeRename, which tests use to stand for a crash) leaves the old
// file as it was and removes the temporary file.
//
// What may be replaced: a regular file or a new name. A symbolic link is followed to its
// final target, which is replaced in its own folder, so the link stays a link. A folder,
// device, FIFO or socket is refused: renaming a file over /dev/stdout or a pipe would take
// the name from what the system or another program put there.
//
// The new file keeps the old one's mode (and, where the system allows, its owner); a new
// name gets 0666 less the umask, as any document a program creates.
//
// Temporary files are named ".NAME.linelab-XXXXXX" beside the target. SIGINT or SIGTERM in
// the middle of a save removes the pending one before the signal acts as it did before the
// save. One left by a save that was killed outright (SIGKILL, a power cut) is removed by the
// next successful save onto the same target, when it belongs to this user, no process holds
// its lock (a save keeps its temporary file locked until the rename) and it has not been
// written for kStaleTemporaryAge, which covers the instant between its creation and locking.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace linelab {

inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

// Returns the problem (the reason, with the system's words where it has them) or nothing.
std::optional<std::string> SaveFileAtomically(const std::filesystem::path& file,
                                              std::string_view text,
                                              const std::function<void()>& beforeRename = {});

// Whether `name` (a bare file name) is one of the temporary files a save onto a target
// named `target` (a bare file name) makes.
bool IsSaveTemporaryName(std::string_view name, std::string_view target);

}  // namespace linelab
