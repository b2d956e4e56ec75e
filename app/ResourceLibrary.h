// The optional resource library "Trimbench_800.so" in the program's folder.
//
// When it is there and provides
//     extern "C" const char* Trimbench800_String(int id);
// its texts replace the program's own string texts (a null result keeps
// ours). A missing library, one that cannot be loaded or one without that
// export is silently ignored.
#pragma once

#include <optional>
#include <string>

namespace tb::app {

inline constexpr const char* kResourceLibraryName = "Trimbench_800.so";
inline constexpr const char* kResourceStringExport = "Trimbench800_String";

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

  private:
    using Lookup = const char* (*)(int);
    void* handle_ = nullptr;
    Lookup lookup_ = nullptr;
};

// The library's path beside the running program.
std::string DefaultResourceLibraryPath();

}  // namespace tb::app
