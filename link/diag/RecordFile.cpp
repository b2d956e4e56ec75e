#include "link/diag/RecordFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace tb::link::diag {

RecordFile::RecordFile(const std::string& path)
    : handle_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {}

RecordFile::~RecordFile() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

int64_t RecordFile::ReadAt(void* buffer, size_t count, int64_t offset) {
    return ::pread(static_cast<int>(handle_), buffer, count, static_cast<off_t>(offset));
}

bool RecordFile::WriteAt(const void* bytes, size_t count, int64_t offset) {
    return ::pwrite(static_cast<int>(handle_), bytes, count, static_cast<off_t>(offset)) ==
           static_cast<ssize_t>(count);
}

}  // namespace tb::link::diag
