// Small services that every adjustment page and the command client use.
// All of them run on the GUI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tb::services {

inline constexpr std::size_t kMaxPathLength = 260;

// The text of a numbered string; empty text when the number does not exist.
std::string LoadResString(int id);

// Waits ms milliseconds while pumping the calling thread's messages between
// 1 ms sleeps; a wrap of the tick counter does not change the length.
void PumpWait(uint32_t ms);

// Opens "Trimbench_800.chm" in the program's folder with the desktop's
// viewer; message 1006 when that is not possible.
void ShowHelp();

// One box reporting per-logger failures (serials and codes of equal length).
void ReportFailures(const std::vector<uint32_t>& serials, const std::vector<int32_t>& codes);

void ShowBusyMessage();
bool AcquireCommBusy();
void ReleaseCommBusy();

// The program's data folder: documents folder + "/Kestrune Corp/Trimbench 800",
// or the program's folder when there is no documents folder. Shorter than 260
// characters; empty when neither fits (callers then have no data folder).
std::string DataFolderPath();
void EnsureDataFolders();
bool EnsureDirectory(const std::string& path);

// The folder that holds the running program (or the test executable).
std::string ProgramFolder();

}  // namespace tb::services
