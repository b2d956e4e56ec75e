// Appending to the history log file: the folder, the lock, the encoding and
// the classification of file errors.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "services/PageServices.h"
#include "pages/history/HistoryLog.h"
#include "pages/history/LocaleEncoding.h"

namespace tb::history {

namespace {

// Another program may hold the file for a moment; wait that long for it.
constexpr uint32_t kLockWaitMs = 1000;
constexpr uint32_t kLockRetryMs = 20;

LogFileError FromErrno(int error) {
    switch (error) {
        case ENOENT:
            return LogFileError::NotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EISDIR:
            return LogFileError::BadPath;
        case EMFILE:
        case ENFILE:
            return LogFileError::TooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
            return LogFileError::AccessDenied;
        case EWOULDBLOCK:
            return LogFileError::SharingViolation;
        case ESPIPE:
        case EOVERFLOW:
            return LogFileError::BadSeek;
        case EIO:
            return LogFileError::HardIo;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return LogFileError::DiskFull;
        default:
            return LogFileError::Generic;
    }
}

// Why the log folder could not be made inside the data folder.
LogFileError FolderError(const std::string& dataFolder, const std::string& logFolder) {
    if (logFolder.size() >= services::kMaxPathLength) return LogFileError::BadPath;
    std::error_code error;
    if (!std::filesystem::is_directory(dataFolder, error)) {
        return std::filesystem::exists(dataFolder, error) ? LogFileError::BadPath
                                                          : LogFileError::NotFound;
    }
    if (std::filesystem::exists(logFolder, error)) return LogFileError::BadPath;
    if (::access(dataFolder.c_str(), W_OK) != 0) return FromErrno(errno);
    return LogFileError::Generic;
}

std::optional<std::string> EncodeLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        std::optional<std::string> encoded = ToLocaleEncoding(line);
        if (!encoded) return std::nullopt;
        bytes += *encoded;
    }
    return bytes;
}

class OpenFile {
  public:
    explicit OpenFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd() const { return fd_; }
    // Closes now so that a late write error is reported; -1 with errno set.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

// The exclusive lock, waiting (pumped) while another writer holds it.
bool LockExclusive(int fd) {
    uint32_t waited = 0;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK || waited >= kLockWaitMs) return false;
        services::PumpWait(kLockRetryMs);
        waited += kLockRetryMs;
    }
    return true;
}

// Writes everything; on failure the bytes of this call are taken back so
// that the file never ends in half a line. -1 with errno set on failure.
int WriteAll(int fd, off_t start, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n == 0 ? ENOSPC : errno;
            if (::ftruncate(fd, start) != 0) {
                // The partial line stays; the cause reported is the write's.
            }
            errno = error;
            return -1;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

LogFileError AppendLogLines(const std::string& dataFolder, const std::vector<std::string>& lines) {
    if (dataFolder.empty()) return LogFileError::NotFound;
    const std::string logFolder = dataFolder + "/" + kLogFolderName;
    if (!services::EnsureDirectory(logFolder)) return FolderError(dataFolder, logFolder);
    const std::optional<std::string> bytes = EncodeLines(lines);
    if (!bytes) return LogFileError::Encoding;

    OpenFile file(logFolder + "/" + kLogFileName);
    if (file.fd() < 0) return FromErrno(errno);
    if (!LockExclusive(file.fd())) return FromErrno(errno);
    const off_t end = ::lseek(file.fd(), 0, SEEK_END);
    if (end < 0) return LogFileError::BadSeek;
    if (WriteAll(file.fd(), end, *bytes) != 0) return FromErrno(errno);
    if (file.Close() != 0) return FromErrno(errno);
    return LogFileError::None;
}

}  // namespace tb::history
