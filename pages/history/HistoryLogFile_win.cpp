// Appending to the history log file on Windows: CreateFileW for appending,
// LockFileEx so that two programs never interleave a line, the lines in the
// system code page (LocaleEncoding_win.cpp), and the classification of the
// system's errors.
#include <windows.h>

#include <filesystem>
#include <system_error>

#include "pages/history/HistoryLog.h"
#include "pages/history/LocaleEncoding.h"
#include "platform/WideText.h"
#include "services/PageServices.h"

namespace tb::history {

namespace {

// Another program may hold the file for a moment; wait that long for it.
constexpr uint32_t kLockWaitMs = 1000;
constexpr uint32_t kLockRetryMs = 20;

LogFileError FromSystemError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return LogFileError::NotFound;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY:
            return LogFileError::BadPath;
        case ERROR_TOO_MANY_OPEN_FILES:
            return LogFileError::TooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return LogFileError::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return LogFileError::SharingViolation;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK:
            return LogFileError::BadSeek;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return LogFileError::HardIo;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return LogFileError::DiskFull;
        default:
            return LogFileError::Generic;
    }
}

using platform::Wide;

// Why the log folder could not be made inside the data folder.
LogFileError FolderError(const std::string& dataFolder, const std::string& logFolder) {
    if (logFolder.size() >= services::kMaxPathLength) return LogFileError::BadPath;
    const DWORD data = GetFileAttributesW(Wide(dataFolder).c_str());
    if (data == INVALID_FILE_ATTRIBUTES) return FromSystemError(GetLastError());
    if ((data & FILE_ATTRIBUTE_DIRECTORY) == 0) return LogFileError::BadPath;
    if (GetFileAttributesW(Wide(logFolder).c_str()) != INVALID_FILE_ATTRIBUTES)
        return LogFileError::BadPath;
    if ((data & FILE_ATTRIBUTE_READONLY) != 0) return LogFileError::AccessDenied;
    return LogFileError::Generic;
}

// Windows refuses to open a folder as a file with "access denied": a
// folder in the log file's place is a bad path, as on other systems.
LogFileError OpenError(const std::string& path, DWORD error) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return LogFileError::BadPath;
    return FromSystemError(error);
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
    // Shared for reading and writing, as the log has always been: a viewer
    // may have it open; the lock below keeps the writers apart.
    explicit OpenFile(const std::string& path)
        : handle_(CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenFile() {
        if (IsOpen()) CloseHandle(handle_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE handle() const { return handle_; }
    // Closes now so that a late write error is reported; false with the
    // system's error set.
    bool Close() {
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != 0;
    }

  private:
    HANDLE handle_;
};

// The whole file's exclusive lock (the range past any size it can reach),
// waiting (pumped) while another writer holds it.
bool LockExclusive(HANDLE file) {
    uint32_t waited = 0;
    for (;;) {
        OVERLAPPED from{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                       MAXDWORD, &from))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_LOCK_VIOLATION || waited >= kLockWaitMs) {
            SetLastError(error);
            return false;
        }
        services::PumpWait(kLockRetryMs);
        waited += kLockRetryMs;
    }
}

void Unlock(HANDLE file) {
    OVERLAPPED from{};
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &from);
}

// Writes everything at the end; on failure the bytes of this call are taken
// back so that the file never ends in half a line. False with the system's
// error set.
bool WriteAll(HANDLE file, LARGE_INTEGER start, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        DWORD n = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        if (!WriteFile(file, bytes.data() + written, chunk, &n, nullptr) || n == 0) {
            const DWORD error =
                n == 0 && GetLastError() == ERROR_SUCCESS ? ERROR_DISK_FULL : GetLastError();
            if (SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) SetEndOfFile(file);
            SetLastError(error);
            return false;
        }
        written += n;
    }
    return true;
}

}  // namespace

LogFileError AppendLogLines(const std::string& dataFolder, const std::vector<std::string>& lines) {
    if (dataFolder.empty()) return LogFileError::NotFound;
    const std::string logFolder = dataFolder + "/" + kLogFolderName;
    if (!services::EnsureDirectory(logFolder)) return FolderError(dataFolder, logFolder);
    const std::optional<std::string> bytes = EncodeLines(lines);
    if (!bytes) return LogFileError::Encoding;

    const std::string path = logFolder + "/" + kLogFileName;
    OpenFile file(path);
    if (!file.IsOpen()) return OpenError(path, GetLastError());
    if (!LockExclusive(file.handle())) return FromSystemError(GetLastError());
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.handle(), LARGE_INTEGER{}, &end, FILE_END)) {
        Unlock(file.handle());
        return LogFileError::BadSeek;
    }
    if (!WriteAll(file.handle(), end, *bytes)) {
        const DWORD error = GetLastError();
        Unlock(file.handle());
        return FromSystemError(error);
    }
    Unlock(file.handle());
    if (!file.Close()) return FromSystemError(GetLastError());
    return LogFileError::None;
}

}  // namespace tb::history
