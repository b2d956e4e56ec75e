// The running program's folder, from the kernel's link to its file.
#include <filesystem>
#include <system_error>

#include "services/PageServices.h"

namespace tb::services {

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || program.empty()) return ".";
    return program.parent_path().string();
}

}  // namespace tb::services
