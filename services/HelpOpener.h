// How the help file is handed to the desktop's viewer.
//
// The window installs an opener that uses the desktop services of the GUI
// toolkit; without one, the help file is passed to "xdg-open". An opener
// returns whether a viewer took the file.
#pragma once

#include <functional>
#include <string>

namespace tb::services {

using HelpOpener = std::function<bool(const std::string& helpFilePath)>;

inline constexpr const char* kHelpFileName = "Trimbench_800.chm";

// Installs the opener for the whole process; an empty function restores the
// default.
void SetHelpOpener(HelpOpener opener);

// The path ShowHelp opens: the program's folder and kHelpFileName.
std::string HelpFilePath();

}  // namespace tb::services
