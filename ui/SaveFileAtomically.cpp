#include "ui/SaveFileAtomically.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace linelab {
namespace {

std::string SystemError(std::string_view what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// The mode the saved file gets: the old file's, or rw-r--r-- for a new one.
mode_t ModeFor(const std::filesystem::path& file) {
    struct stat old {};
    if (stat(file.c_str(), &old) == 0) return old.st_mode & 07777;
    return 0644;
}

// Owns the temporary file until it has been renamed over the target.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& file) {
        std::string hidden = ".";
        hidden += file.filename().string();
        hidden += ".XXXXXX";
        const std::string pattern = (file.parent_path() / hidden).string();
        name_.assign(pattern.begin(), pattern.end());
        name_.push_back('\0');
        fd_ = mkstemp(name_.data());
        // mkstemp makes the file private; a lesson is as readable as any document.
        if (fd_ >= 0) fchmod(fd_, ModeFor(file));
    }
    ~TemporaryFile() {
        if (fd_ >= 0) close(fd_);
        if (!renamed_ && fd_ != -1) unlink(name_.data());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool Opened() const { return fd_ >= 0; }

    std::optional<std::string> Write(std::string_view text) {
        while (!text.empty()) {
            const ssize_t written = write(fd_, text.data(), text.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return SystemError("cannot be written");
            text.remove_prefix(static_cast<std::size_t>(written));
        }
        if (fsync(fd_) != 0) return SystemError("cannot be written");
        const int fd = fd_;
        fd_ = -2;  // closed, still to be removed unless renamed
        if (close(fd) != 0) return SystemError("cannot be written");
        return std::nullopt;
    }

    std::optional<std::string> RenameOver(const std::filesystem::path& file) {
        if (rename(name_.data(), file.c_str()) != 0) return SystemError("cannot be replaced");
        renamed_ = true;
        return std::nullopt;
    }

  private:
    std::vector<char> name_;
    int fd_ = -1;
    bool renamed_ = false;
};

}  // namespace

std::optional<std::string> SaveFileAtomically(const std::filesystem::path& file,
                                              std::string_view text,
                                              const std::function<void()>& beforeRename) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) return "is a directory";
    TemporaryFile temporary(file);
    if (!temporary.Opened()) return SystemError("cannot be created");
    if (auto problem = temporary.Write(text)) return problem;
    if (beforeRename) beforeRename();
    return temporary.RenameOver(file);
}

}  // namespace linelab
