#include "app/ResourceLibrary.h"

#include <dlfcn.h>

#include <filesystem>

#include "services/PageServices.h"
#include "services/Settings.h"

namespace tb::app {
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
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) return;
    lookup_ = reinterpret_cast<Lookup>(dlsym(handle_, kResourceStringExport));
    if (lookup_ == nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
        return;
    }
    captionLookup_ = reinterpret_cast<CaptionLookup>(dlsym(handle_, kResourceCaptionExport));
}

ResourceLibrary::~ResourceLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
}

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

}  // namespace tb::app
