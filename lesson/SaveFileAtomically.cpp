#include "lesson/SaveFileAtomically.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#if !defined(__EMSCRIPTEN__)  // the page's file system in memory has no attributes
#include <sys/xattr.h>
#endif

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <random>
#include <variant>
#include <vector>

#include "lesson/OneLine.h"

namespace linelab {
namespace {

constexpr std::string_view kMarker = ".linelab-";
constexpr std::size_t kRandomChars = 6;
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kMaxLinks = 40;  // as the system's own limit on a path's links
constexpr int kNameMax = 255;

std::string SystemError(std::string_view what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

// The temporary name without its random part; a long target name is shortened so the
// whole stays within a file name's limit.
std::string TemporaryPrefix(std::string_view target) {
    const std::size_t room = kNameMax - 1 - kMarker.size() - kRandomChars;
    std::string prefix(1, '.');
    prefix.append(target.substr(0, room)).append(kMarker);
    return prefix;
}

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISFIFO(mode)) return "a FIFO (named pipe)";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

// The name to replace, after following links, with what is there now (nothing for a new
// name).
struct Target {
    std::filesystem::path path;
    std::optional<struct stat> existing;
};

// Whether the file (links followed, by the system) is this program's standard output or
// error, whatever name leads to it: /dev/stdout, /dev/fd/1, /proc/self/fd/2 or the very
// file a shell redirects to. Replacing it would lose what the program prints there.
std::optional<std::string> StandardStream(const std::filesystem::path& file) {
    struct stat named {};
    if (stat(file.c_str(), &named) != 0) return std::nullopt;
    constexpr std::pair<int, const char*> kStreams[] = {{STDOUT_FILENO, "output"},
                                                        {STDERR_FILENO, "error"}};
    for (const auto& [fd, name] : kStreams) {
        struct stat stream {};
        if (fstat(fd, &stream) == 0 && stream.st_dev == named.st_dev &&
            stream.st_ino == named.st_ino) {
            return std::string("is this program's standard ") + name +
                   "; a lesson is saved to a file of its own";
        }
    }
    return std::nullopt;
}

// Which file makes a save ask first: see the header.
std::optional<std::string> AskFirstReason(const Target& target) {
    if (!target.existing) return std::nullopt;
    if ((target.existing->st_mode & 0222) == 0 || access(target.path.c_str(), W_OK) != 0)
        return std::string("is read-only");
    if (target.existing->st_nlink > 1) {
        return "has " + std::to_string(target.existing->st_nlink - 1) +
               " other name(s) (hard links), which would keep the old text";
    }
    return std::nullopt;
}

}  // namespace

bool MayFollowLink(const struct stat& link, const struct stat& folder, uid_t user) {
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == user || link.st_uid == folder.st_uid;
}

namespace {

std::variant<Target, std::string> Resolve(const std::filesystem::path& file) {
    std::filesystem::path current = file;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        const std::string via =
            current == file ? "" : "is a link to " + FileNameForMessage(current) + ", which ";
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0) {
            if (errno != ENOENT) return SystemError(via + "cannot be examined", errno);
            if (!current.has_filename()) return via + "names no file";
            return Target{current, std::nullopt};
        }
        if (S_ISLNK(status.st_mode)) {
            // As the system does when it follows a link for an open: in a folder anyone may
            // write to but only owners delete from (/tmp), a link of another user's is not
            // followed, or they could point the save at any file this user may write.
            const std::filesystem::path folder =
                current.parent_path().empty() ? std::filesystem::path(".") : current.parent_path();
            struct stat folderStatus {};
            if (stat(folder.c_str(), &folderStatus) == 0 &&
                !MayFollowLink(status, folderStatus, geteuid())) {
                return (via.empty() ? "is" : via + "is") +
                       " a link of another user's in a folder all may write to (such as /tmp); "
                       "it is not followed";
            }
            std::error_code error;
            const std::filesystem::path link = std::filesystem::read_symlink(current, error);
            if (error) return "is a link that cannot be read: " + error.message();
            current = link.is_absolute() ? link : current.parent_path() / link;
            // /dev/stdout and its kind lead to a descriptor of this very process, whose
            // file (a terminal, a pipe, the file a shell redirects to) is no lesson to
            // replace.
            if (current.lexically_normal().string().starts_with("/proc/"))
                return "is a link to " + FileNameForMessage(current) +
                       ", a descriptor of this program; a lesson is saved to a named file";
            continue;
        }
        if (!S_ISREG(status.st_mode)) {
            return (via.empty() ? "is " : via + "is ") + KindOf(status.st_mode) +
                   "; only a regular file is replaced";
        }
        return Target{current, status};
    }
    return "has too many levels of symbolic links";
}

// The temporary file a save has made and not yet renamed, for the signal handler: a fixed
// buffer, since the handler may not allocate.
std::array<char, PATH_MAX> pendingName{};
volatile std::sig_atomic_t pendingSet = 0;
// Every signal that ends the program by default and may come from outside (a closed
// terminal, Ctrl+Backslash, kill, a limit of the system's).
constexpr std::array kSignals = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGPIPE,   SIGALRM,
                                 SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF};
std::array<struct sigaction, kSignals.size()> previousActions{};
std::array<bool, kSignals.size()> installed{};
// One save at a time holds the handlers and the buffer.
std::mutex saveMutex;

extern "C" void RemovePendingAndPassOn(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    std::size_t index = 0;
    while (index + 1 < kSignals.size() && kSignals[index] != signal)
        ++index;
    const struct sigaction& previous = previousActions[index];
    // A handler of the program's own decides what the signal does; the save goes on (and
    // removes its temporary file itself should the rename fail).
    if (previous.sa_flags & SA_SIGINFO) {
        if (previous.sa_sigaction) previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
    } else {
        // The default ends the program: the temporary file goes first, then the default is
        // put back and the signal, blocked in here, acts as this handler returns.
        if (pendingSet) {
            unlink(pendingName.data());
            pendingSet = 0;
        }
        sigaction(signal, &previous, nullptr);
        raise(signal);
    }
    errno = savedErrno;
}

// Installs the handler for the length of a save, unless the program ignores the signal.
class SignalGuard {
  public:
    SignalGuard() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            struct sigaction ours {};
            ours.sa_sigaction = RemovePendingAndPassOn;
            ours.sa_flags = SA_SIGINFO | SA_RESTART;
            sigemptyset(&ours.sa_mask);
            installed[i] = sigaction(kSignals[i], nullptr, &previousActions[i]) == 0 &&
                           previousActions[i].sa_handler != SIG_IGN &&
                           sigaction(kSignals[i], &ours, nullptr) == 0;
        }
    }
    ~SignalGuard() {
        for (std::size_t i = 0; i < kSignals.size(); ++i)
            if (installed[i]) sigaction(kSignals[i], &previousActions[i], nullptr);
    }
    SignalGuard(const SignalGuard&) = delete;
    SignalGuard& operator=(const SignalGuard&) = delete;
};

std::string RandomChars() {
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string chars;
    for (std::size_t i = 0; i < kRandomChars; ++i)
        chars += kAlphabet[pick(generator)];
    return chars;
}

// Owns the temporary file until it has been renamed over the target.
class TemporaryFile {
  public:
    explicit TemporaryFile(const Target& target) {
        const std::filesystem::path folder = target.path.parent_path();
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            name_ = (folder / (TemporaryPrefix(target.path.filename().string()) + RandomChars()))
                        .string();
            if (name_.size() >= pendingName.size()) {
                error_ = ENAMETOOLONG;
                return;
            }
            // 0666 less the umask, as the system gives any new file.
            fd_ = open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        std::memcpy(pendingName.data(), name_.c_str(), name_.size() + 1);
        std::atomic_signal_fence(std::memory_order_seq_cst);  // the name before the flag
        pendingSet = 1;
        flock(fd_, LOCK_EX);
        if (target.existing) {
            // The owner first: a change of owner clears the set-id bits the mode restores.
            if (fchown(fd_, target.existing->st_uid, target.existing->st_gid) != 0 &&
                fchown(fd_, static_cast<uid_t>(-1), target.existing->st_gid) != 0) {
                // Not allowed to give it away: the saver owns the new file, as an editor's.
            }
            fchmod(fd_, target.existing->st_mode & 07777);
            CopyExtendedAttributes(target.path);
        }
    }
    ~TemporaryFile() {
        if (!renamed_ && fd_ >= 0) unlink(name_.c_str());
        pendingSet = 0;
        if (fd_ >= 0) close(fd_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    std::optional<std::string> OpenProblem(const std::filesystem::path& folder,
                                           bool existing) const {
        if (fd_ >= 0) return std::nullopt;
        const std::string where = folder.empty() ? "." : FileNameForMessage(folder);
        // A file that may itself be written is still replaced by a new one beside it, which
        // the folder must allow.
        const std::string beside =
            existing && (error_ == EACCES || error_ == EROFS || error_ == EPERM)
                ? " (a save writes the new text beside the old and renames it over it, so the "
                  "file is not replaced)"
                : "";
        return SystemError("cannot be created in its folder " + where + beside, error_);
    }

    std::optional<std::string> Write(std::string_view text) {
        while (!text.empty()) {
            const ssize_t written = write(fd_, text.data(), text.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return SystemError("cannot be written", written < 0 ? errno : EIO);
            text.remove_prefix(static_cast<std::size_t>(written));
        }
        if (fsync(fd_) != 0) return SystemError("cannot be written", errno);
        return std::nullopt;
    }

    // The file stays open, and locked, until it has its final name.
    std::optional<std::string> RenameOver(const std::filesystem::path& file) {
        if (rename(name_.c_str(), file.c_str()) != 0)
            return SystemError("cannot be replaced", errno);
        renamed_ = true;
        pendingSet = 0;
        // The new name on the disk too, so a power cut after the save keeps the new lesson.
        const std::string folder = file.parent_path().empty() ? "." : file.parent_path().string();
        if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
            fsync(dir);
            close(dir);
        }
        return std::nullopt;
    }

  private:
    // What the file carries beside its text (a label, an access list, a tag a desktop set):
    // kept where the system lets this user set it again.
    void CopyExtendedAttributes(const std::filesystem::path& from) {
#if !defined(__EMSCRIPTEN__)
        const ssize_t size = listxattr(from.c_str(), nullptr, 0);
        if (size <= 0) return;
        std::vector<char> names(static_cast<std::size_t>(size));
        const ssize_t listed = listxattr(from.c_str(), names.data(), names.size());
        if (listed <= 0) return;
        for (const char* name = names.data(); name < names.data() + listed;
             name += std::strlen(name) + 1) {
            const ssize_t length = getxattr(from.c_str(), name, nullptr, 0);
            if (length < 0) continue;
            std::vector<char> value(static_cast<std::size_t>(length));
            if (getxattr(from.c_str(), name, value.data(), value.size()) == length)
                fsetxattr(fd_, name, value.data(), value.size(), 0);
        }
#else
        (void)from;
#endif
    }

    std::string name_;
    int fd_ = -1;
    int error_ = 0;
    bool renamed_ = false;
};

// A temporary file of ours that no save is writing: see the header.
bool IsStale(const std::filesystem::path& file) {
    // Only a regular file is opened: opening a device can act on it.
    struct stat named {};
    if (lstat(file.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return false;
    const int fd = open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat opened {};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const bool stale = fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                       opened.st_uid == geteuid() &&
                       std::chrono::seconds(opened.st_mtim.tv_sec) + kStaleTemporaryAge <= now &&
                       flock(fd, LOCK_EX | LOCK_NB) == 0 && lstat(file.c_str(), &named) == 0 &&
                       named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
    close(fd);
    return stale;
}

void RemoveStaleTemporaries(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const std::string name = target.filename().string();
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path& entry = it->path();
        if (IsSaveTemporaryName(entry.filename().string(), name) && IsStale(entry))
            unlink(entry.c_str());
    }
}

}  // namespace

bool IsSaveTemporaryName(std::string_view name, std::string_view target) {
    const std::string prefix = TemporaryPrefix(target);
    if (name.size() != prefix.size() + kRandomChars || !name.starts_with(prefix)) return false;
    return name.substr(prefix.size()).find_first_not_of(kAlphabet) == std::string_view::npos;
}

std::optional<std::string> AskBeforeReplacing(const std::filesystem::path& file) {
    if (file.empty()) return std::nullopt;
    auto resolved = Resolve(file);
    if (const auto* target = std::get_if<Target>(&resolved)) return AskFirstReason(*target);
    return std::nullopt;
}

std::optional<std::string> SaveFileAtomically(const std::filesystem::path& file,
                                              std::string_view text,
                                              const std::function<void()>& beforeRename,
                                              AskedFirst asked) {
    if (file.empty()) return "no file name was given";
    auto resolved = Resolve(file);
    if (auto* problem = std::get_if<std::string>(&resolved)) return *problem;
    if (auto problem = StandardStream(file)) return problem;
    const Target& target = std::get<Target>(resolved);
    if (auto reason = AskFirstReason(target); reason && asked == AskedFirst::No)
        return *reason + "; it is replaced only when that is asked for";

    const std::lock_guard lock(saveMutex);
    const SignalGuard signals;
    TemporaryFile temporary(target);
    if (auto problem =
            temporary.OpenProblem(target.path.parent_path(), target.existing.has_value()))
        return problem;
    if (auto problem = temporary.Write(text)) return problem;
    if (beforeRename) beforeRename();
    if (auto problem = temporary.RenameOver(target.path)) return problem;
    RemoveStaleTemporaries(target.path);
    return std::nullopt;
}

}  // namespace linelab
