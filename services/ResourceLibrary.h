// The optional resource library "Trimbench_800.so" ("Trimbench_800.dll" on
// Windows).
//
// When it is there and provides
//     extern "C" const char* Trimbench800_String(int id);
// its texts replace the program's own string texts (a null result keeps
// ours). When it also provides
//     extern "C" const char* Trimbench800_Caption(const char* builtin);
// its texts replace the dialogs' own texts (captions, spoken names, the
// message box's buttons), again null to keep ours. A missing library, one
// that cannot be loaded or one without the string export is silently
// ignored.
//
// Which library: "Trimbench_800.so" in the program's folder when there is
// one; otherwise the language pack of the chosen interface language
// (TRIMBENCH_LANGUAGE, else Interface/Language in the settings store; "ja"
// or nothing is the built-in Japanese), found as lang/<language>/ in the
// library folder of the installed program (../lib/trimbench) or beside the
// program in the build tree.
#pragma once

#include <optional>
#include <string>

#include "services/StringOverride.h"

namespace tb::services {

#ifdef _WIN32
inline constexpr const char* kResourceLibraryName = "Trimbench_800.dll";
#else
inline constexpr const char* kResourceLibraryName = "Trimbench_800.so";
#endif
inline constexpr const char* kResourceStringExport = "Trimbench800_String";
inline constexpr const char* kResourceCaptionExport = "Trimbench800_Caption";

class ResourceLibrary {
  public:
    // Loads `path`; IsLoaded() tells whether it serves texts.
    explicit ResourceLibrary(const std::string& path);
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    bool IsLoaded() const { return lookup_ != nullptr; }
    // The library's text for string `id`, or nothing when it keeps ours.
    std::optional<std::string> String(int id) const;
    // The library's text for a built-in dialog text, or nothing.
    std::optional<std::string> Caption(const std::string& builtin) const;

  private:
    // The system's loader (ResourceLibraryLoad*.cpp): the library's handle
    // and its two exports, or null.
    void* Load(const std::string& path);
    void* Export(const char* name) const;
    void Unload();

    using Lookup = const char* (*)(int);
    using CaptionLookup = const char* (*)(const char*);
    void* handle_ = nullptr;
    Lookup lookup_ = nullptr;
    CaptionLookup captionLookup_ = nullptr;
};

// The library to load for a program in `programFolder` and the interface
// language `language` (as described above); empty when there is none.
std::string ResourceLibraryPath(const std::string& programFolder, const std::string& language);

// The same for the running program and the chosen language.
std::string DefaultResourceLibraryPath();

// Lets a loaded library's texts replace the program's own (strings and
// captions) while the object lives, and brings back the texts in force
// before when it goes; the window and the command line both start this way.
// A library not loaded changes nothing. The library must outlive the object.
class ScopedResourceTexts {
  public:
    explicit ScopedResourceTexts(const ResourceLibrary& library);

  private:
    ScopedStringOverride strings_;
    ScopedCaptionOverride captions_;
};

}  // namespace tb::services
