// How the user manual is handed to a viewer.
//
// The manual is HTML, one folder per language with index.html as its first
// page: share/trimbench/manual/<language>/ of the installed program (seen
// from bin/ as ../share/trimbench/manual), or manual/<language>/ beside the
// program in the build tree. The window installs an opener that shows it in
// the program's own help window; without one, the page is passed to
// "xdg-open". An opener returns whether a viewer took the file.
#pragma once

#include <functional>
#include <string>

namespace tb::services {

using HelpOpener = std::function<bool(const std::string& helpFilePath)>;

// Installs the opener for the whole process; an empty function restores the
// default.
void SetHelpOpener(HelpOpener opener);

// The first page of the manual in `language` for a program in
// `programFolder`; the Japanese manual when that language has none. The
// path of the installed Japanese manual when no manual is found at all.
std::string ManualPath(const std::string& programFolder, const std::string& language);

// The page ShowHelp opens: the manual of the interface language (Japanese
// for language number 0, else the chosen language) of the running program.
std::string HelpFilePath();

// Opens `path` with the installed opener; kMsgHelpFailed when the file is
// missing or no viewer takes it.
void ShowHelpFile(const std::string& path);

}  // namespace tb::services
