#include "link/diag/RingFile.h"

#include <cstdio>
#include <cstring>

#include "link/diag/LogLine.h"
#include "link/diag/RecordFile.h"

namespace tb::link::diag {
namespace {

bool WriteAt(RecordFile& file, const std::string& bytes, int64_t offset) {
    return file.WriteAt(bytes.data(), bytes.size(), offset);
}

}  // namespace

bool ParseRingHeader(std::string_view record, RingHeader& header) {
    if (record.size() < 5 || record.substr(0, 5) != "FLIT ") return false;
    std::string text(record.substr(0, kRecordBytes));
    RingHeader parsed;
    if (std::sscanf(text.c_str(), "FLIT %d %d %d", &parsed.capacity, &parsed.count,
                    &parsed.index) != 3)
        return false;
    // A record of another layout would send writes far into the file.
    if (parsed.capacity < 1 || parsed.capacity > kRingCapacity) return false;
    if (parsed.count < 0 || parsed.count > parsed.capacity) return false;
    if (parsed.index < -1 || parsed.index >= parsed.capacity) return false;
    header = parsed;
    return true;
}

RingAppend AppendToRingFile(const std::string& path, std::string_view line) {
    RecordFile file(path);
    if (!file.IsOpen()) return RingAppend::FileError;

    char first[kRecordBytes];
    const int64_t got = file.ReadAt(first, sizeof first, 0);
    if (got < 0) return RingAppend::FileError;

    RingHeader header{kRingCapacity, 0, -1};
    if (got == 0) {
        if (!WriteAt(file, HeaderRecord(header.capacity, header.count, header.index), 0))
            return RingAppend::FileError;
    } else if (!ParseRingHeader(std::string_view(first, static_cast<size_t>(got)), header)) {
        return RingAppend::ForeignHeader;
    }

    header.count = header.count + 1 < header.capacity ? header.count + 1 : header.capacity;
    header.index = header.index + 1 >= header.capacity ? 0 : header.index + 1;

    if (!WriteAt(file, HeaderRecord(header.capacity, header.count, header.index), 0))
        return RingAppend::FileError;
    const int64_t offset = static_cast<int64_t>(header.index) * kRecordBytes + kRecordBytes;
    if (!WriteAt(file, EntryRecord(header.index, line), offset)) return RingAppend::FileError;
    return RingAppend::Written;
}

}  // namespace tb::link::diag
