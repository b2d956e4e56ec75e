#include "services/ResourceLibrary.h"

#include <filesystem>

#include "services/PageServices.h"
#include "services/Settings.h"
#include "services/StringOverride.h"

namespace tb::services {
namespace {

std::optional<std::string> TextOrNothing(const char* text) {
    if (text == nullptr) return std::nullopt;
    return std::string(text);
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

ResourceLibrary::ResourceLibrary(const std::string& path) {
    handle_ = Load(path);
    if (handle_ == nullptr) return;
    lookup_ = reinterpret_cast<Lookup>(Export(kResourceStringExport));
    if (lookup_ == nullptr) {
        Unload();
        return;
    }
    captionLookup_ = reinterpret_cast<CaptionLookup>(Export(kResourceCaptionExport));
}

ResourceLibrary::~ResourceLibrary() { Unload(); }

std::optional<std::string> ResourceLibrary::String(int id) const {
    if (lookup_ == nullptr) return std::nullopt;
    return TextOrNothing(lookup_(id));
}

std::optional<std::string> ResourceLibrary::Caption(const std::string& builtin) const {
    if (captionLookup_ == nullptr) return std::nullopt;
    return TextOrNothing(captionLookup_(builtin.c_str()));
}

std::string ResourceLibraryPath(const std::string& programFolder, const std::string& language) {
    const std::string beside = programFolder + "/" + kResourceLibraryName;
    if (IsFile(beside) || language.empty() || language == services::kBuiltinLanguage) return beside;
    const std::string pack = "lang/" + language + "/" + kResourceLibraryName;
    return services::FindProgramFile(programFolder, "lib/trimbench", pack).value_or(beside);
}

std::string DefaultResourceLibraryPath() {
    return ResourceLibraryPath(services::ProgramFolder(), services::ReadInterfaceLanguage());
}

namespace {

StringOverride StringsOf(const ResourceLibrary& library) {
    if (!library.IsLoaded()) return InstalledStringOverride().Get();
    return [&library](int id) { return library.String(id); };
}

CaptionOverride CaptionsOf(const ResourceLibrary& library) {
    if (!library.IsLoaded()) return InstalledCaptionOverride().Get();
    return [&library](std::string_view builtin) { return library.Caption(std::string(builtin)); };
}

}  // namespace

ScopedResourceTexts::ScopedResourceTexts(const ResourceLibrary& library)
    : strings_(StringsOf(library)), captions_(CaptionsOf(library)) {}

}  // namespace tb::services
