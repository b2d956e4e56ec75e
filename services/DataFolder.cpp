#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <filesystem>
#include <optional>
#include <system_error>

#include "services/PageServices.h"

namespace tb::services {
namespace {

constexpr const char* kCompanyFolder = "Kestrune Corp";
constexpr const char* kProductFolder = "Trimbench 800";

bool FitsPathLimit(const std::string& path) { return path.size() < kMaxPathLength; }

// The user's documents folder, created when it is missing; nothing when the
// system has none or it cannot be created.
std::optional<std::string> DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir().mkpath(documents)) return std::nullopt;
    return documents.toStdString();
}

}  // namespace

std::optional<std::string> FindProgramFile(const std::string& programFolder,
                                           const std::string& installedFolder,
                                           const std::string& relative) {
    for (const std::string& candidate : {programFolder + "/../" + installedFolder + "/" + relative,
                                         programFolder + "/" + relative}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

std::string DataFolderPath() {
    if (std::optional<std::string> documents = DocumentsFolder()) {
        std::string path = *documents + "/" + kCompanyFolder + "/" + kProductFolder;
        if (FitsPathLimit(path)) return path;
    }
    std::string fallback = ProgramFolder();
    // An empty path tells the caller there is no usable folder; it must never
    // be taken for the root of the file system.
    return FitsPathLimit(fallback) ? fallback : std::string();
}

void EnsureDataFolders() {
    std::optional<std::string> documents = DocumentsFolder();
    if (!documents) return;
    std::string path = *documents + "/" + kCompanyFolder;
    EnsureDirectory(path);
    path += std::string("/") + kProductFolder;
    EnsureDirectory(path);
}

bool EnsureDirectory(const std::string& path) {
    if (path.empty() || !FitsPathLimit(path)) return false;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return true;
    // One level only: a missing parent is a failure, as it is for the caller.
    return std::filesystem::create_directory(path, error) && !error;
}

}  // namespace tb::services
