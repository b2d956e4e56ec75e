// The ring file "DllLog.txt": a header record and up to 5000 entry records of
// 100 bytes each. The oldest entry is overwritten once the ring is full.
#pragma once

#include <string>
#include <string_view>

namespace tb::link::diag {

enum class RingAppend {
    Written,
    ForeignHeader,  // the file's first record is not ours: the line is dropped
    FileError,
};

// Appends one line to the ring file at path (created when missing).
RingAppend AppendToRingFile(const std::string& path, std::string_view line);

struct RingHeader {
    int capacity = 0;
    int count = 0;
    int index = -1;
};

// Parses a header record; false when it is not a well-formed one of ours.
bool ParseRingHeader(std::string_view record, RingHeader& header);

}  // namespace tb::link::diag
