// The history log file: data folder + "log/Trimbench2.LOG", one line per
// adjusted channel (one per initialisation), each ended by CR LF, in the
// locale's multi-byte encoding. The file only grows; it is opened, locked
// against other writers, appended to and closed for each event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pages/history/AdjustmentHistory.h"

namespace tb::history {

inline constexpr const char* kLogFolderName = "log";
inline constexpr const char* kLogFileName = "Trimbench2.LOG";
// Typed texts in a line are cut to this many characters.
inline constexpr std::size_t kMaxTypedChars = 15;
// A formatted line (its CR LF included) holds at most this many characters.
inline constexpr std::size_t kMaxLineChars = 255;

// Why the log could not be saved; kMsgHistorySaveFailed shows the number. The
// numbers are stable: add new kinds at the end.
enum class LogFileError : int {
    None = 0,
    Generic = 1,          // any error not named below
    NotFound = 2,         // no data folder, or a folder of the path is missing
    BadPath = 3,          // the path is too long or names something that is not a folder
    TooManyOpenFiles = 4,
    AccessDenied = 5,     // no permission, read-only file system
    SharingViolation = 6, // another program holds the file locked
    BadSeek = 7,
    HardIo = 8,           // the device reported an input/output error
    DiskFull = 9,         // no space or quota left
    Encoding = 10,        // a text has no form in the locale's encoding
};

// Everything a log line needs besides the entries.
struct LogEvent {
    uint32_t serial = 0;  // the logger's connection key, printed "%08X"
    int currentUnit = 0;  // the temperature unit setting (initialisation lines)
};

// The lines of one event as UTF-8 text, each ended by CR LF.
std::vector<std::string> HistoryLogLines(const HistorySensor& sensor,
                                         const SensorAdjustment& adjustment, bool initialise,
                                         const HistoryEntry& rec1, const HistoryEntry& rec2,
                                         const LogEvent& event);

// Appends the lines to the file in `folder` + "/log" (made when missing).
// The folder is the program's data folder in WriteHistoryLog.
LogFileError AppendLogLines(const std::string& dataFolder, const std::vector<std::string>& lines);

// Builds the event's lines and appends them to the log file in the data
// folder. On failure shows kMsgHistorySaveFailed with the cause's number (OK box,
// warning icon) and returns the cause; the adjustment itself stands.
LogFileError WriteHistoryLog(const HistorySensor& sensor, const SensorAdjustment& adjustment,
                             bool initialise, const HistoryEntry& rec1, const HistoryEntry& rec2,
                             const LogEvent& event);

// At most `maxChars` characters of UTF-8 text, cut between characters.
std::string CutToCharacters(const std::string& text, std::size_t maxChars);

}  // namespace tb::history
