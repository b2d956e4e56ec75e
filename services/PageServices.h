// Small services that every adjustment page and the command client use.
// All of them run on the GUI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tb::services {

inline constexpr std::size_t kMaxPathLength = 260;

// The text of a numbered string; empty text when the number does not exist.
std::string LoadResString(int id);

// Waits ms milliseconds while pumping the calling thread's messages between
// 1 ms sleeps; a wrap of the tick counter does not change the length.
void PumpWait(uint32_t ms);

// Opens the user manual in the interface language (see HelpOpener.h);
// kMsgHelpFailed when that is not possible.
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

// A part of the program's installation: <programFolder>/../<installedFolder>/
// <relative> for the installed program (installedFolder such as
// "share/trimbench"), <programFolder>/<relative> in the build tree, where
// everything sits in one folder. Nothing when neither is a file.
std::optional<std::string> FindProgramFile(const std::string& programFolder,
                                           const std::string& installedFolder,
                                           const std::string& relative);

}  // namespace tb::services
