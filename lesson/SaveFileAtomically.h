#pragma once
// Replaces a file's contents all at once: the text goes to a temporary file in the target's
// folder, is flushed to the disk, and is renamed over the target. A failure at any point
// (or an exception from beforeRename, which tests use to stand for a crash) leaves the old
// file as it was and removes the temporary file.
//
// What may be replaced: a regular file or a new name. A symbolic link is followed to its
// final target, which is replaced in its own folder, so the link stays a link; as the
// system does, a link in a sticky folder that all may write to (/tmp) is followed only when
// it belongs to this user or to the folder's owner. A folder, device, FIFO or socket is
// refused: renaming a file over /dev/stdout or a pipe would take the name from what the
// system or another program put there. So is the file this program's standard output or
// error goes to, by whatever name it is reached.
//
// A file that is read-only, or that has other names (hard links, which would keep the old
// text, since the save makes a new file), is replaced only when the user was asked first.
//
// The new file keeps the old one's mode, its extended attributes (and, where the system
// allows, its owner); a new name gets 0666 less the umask, as any document a program
// creates.
//
// Temporary files are named ".NAME.linelab-XXXXXX" beside the target. A signal that ends
// the program (SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, ...) in the middle of a save
// removes the pending one before the signal acts as it did before the save. One left by a save that
// was killed outright (SIGKILL, a power cut) is removed by the next successful save onto the same
// target, when it belongs to this user, no process holds its lock (a save keeps its temporary file
// locked until the rename) and it has not been written for kStaleTemporaryAge, which covers the
// instant between its creation and locking.

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace linelab {

inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

// Whether the user was asked before a read-only file or one with other names is replaced.
enum class AskedFirst { No, Yes };

// Returns the problem (the reason, with the system's words where it has them) or nothing.
std::optional<std::string> SaveFileAtomically(const std::filesystem::path& file,
                                              std::string_view text,
                                              const std::function<void()>& beforeRename = {},
                                              AskedFirst asked = AskedFirst::No);

// Why a save onto `file` should ask first ("is read-only", "has 1 other name(s) ..."), or
// nothing when it need not (a new name, a writable file with one name, or a name the save
// refuses anyway).
std::optional<std::string> AskBeforeReplacing(const std::filesystem::path& file);

// The system's rule for following a link: in a sticky folder writable by all, only a link
// owned by `user` or by the folder's owner is followed.
bool MayFollowLink(const struct stat& link, const struct stat& folder, uid_t user);

// Whether `name` (a bare file name) is one of the temporary files a save onto a target
// named `target` (a bare file name) makes.
bool IsSaveTemporaryName(std::string_view name, std::string_view target);

}  // namespace linelab
