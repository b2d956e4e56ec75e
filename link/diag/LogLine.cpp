#include "link/diag/LogLine.h"

#include <cstdio>

namespace tb::link::diag {
namespace {

std::string PadRecord(std::string text) {
    text.resize(kRecordBytes - 2, ' ');
    text += "\r\n";
    return text;
}

}  // namespace

std::string FormatLogLine(std::time_t when, std::string_view text) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d'%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    std::string line = stamp;
    line += ' ';
    line += text;
    if (line.size() > kMaxLineBytes) line.resize(kMaxLineBytes);
    return line;
}

std::string CutLongLine(std::string_view line) {
    if (line.size() < 70) return std::string(line);
    std::string cut(line.substr(0, 60));
    cut += " .... ";
    return cut;
}

std::string HeaderRecord(int capacity, int count, int index) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %d %d %04d", "FLIT", capacity, count, index);
    return PadRecord(text);
}

std::string EntryRecord(int index, std::string_view line) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04d  ", index);
    std::string text = prefix;
    text += CutLongLine(line);
    return PadRecord(std::move(text));
}

}  // namespace tb::link::diag
