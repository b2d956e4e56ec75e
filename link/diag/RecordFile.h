// A file of fixed-size records read and written at offsets: the ring file's
// access to the disk, one source per operating system (RecordFile.cpp,
// RecordFile_win.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tb::link::diag {

class RecordFile {
  public:
    // Opens for reading and writing; creates the file when it is missing.
    explicit RecordFile(const std::string& path);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    bool IsOpen() const { return handle_ != -1; }
    // The bytes read (0 at the end of the file), or -1 on an error.
    int64_t ReadAt(void* buffer, size_t count, int64_t offset);
    // True when every byte was written.
    bool WriteAt(const void* bytes, size_t count, int64_t offset);

  private:
    intptr_t handle_ = -1;  // a descriptor, or a Windows file handle
};

}  // namespace tb::link::diag
