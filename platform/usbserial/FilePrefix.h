// Reading the start of a small text file, one source per operating system
// (FilePrefix.cpp, FilePrefix_win.cpp).
#pragma once

#include <cstddef>
#include <string>

namespace tb::usbserial {

// At most `limit` bytes from the start of the file; empty when it cannot be
// read. Never waits for a writer (a FIFO or device named by mistake).
std::string ReadFilePrefix(const std::string& path, size_t limit);

}  // namespace tb::usbserial
