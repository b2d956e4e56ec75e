#include <windows.h>

#include "link/diag/RecordFile.h"

namespace tb::link::diag {
namespace {

HANDLE HandleOf(intptr_t value) { return reinterpret_cast<HANDLE>(value); }

OVERLAPPED At(int64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset) & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
    return position;
}

}  // namespace

RecordFile::RecordFile(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<intptr_t>(file);
}

RecordFile::~RecordFile() {
    if (IsOpen()) CloseHandle(HandleOf(handle_));
}

int64_t RecordFile::ReadAt(void* buffer, size_t count, int64_t offset) {
    OVERLAPPED position = At(offset);
    DWORD got = 0;
    if (ReadFile(HandleOf(handle_), buffer, static_cast<DWORD>(count), &got, &position)) return got;
    return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
}

bool RecordFile::WriteAt(const void* bytes, size_t count, int64_t offset) {
    OVERLAPPED position = At(offset);
    DWORD written = 0;
    return WriteFile(HandleOf(handle_), bytes, static_cast<DWORD>(count), &written, &position) &&
           written == count;
}

}  // namespace tb::link::diag
