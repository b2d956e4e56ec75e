#include <windows.h>

#include "platform/usbserial/FilePrefix.h"

namespace tb::usbserial {

std::string ReadFilePrefix(const std::string& path, size_t limit) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    // Only plain files: a pipe or device named by mistake could block the read.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return {};
    }
    std::string text(limit, '\0');
    size_t used = 0;
    while (used < text.size()) {
        DWORD got = 0;
        if (!ReadFile(file, text.data() + used, static_cast<DWORD>(text.size() - used), &got,
                      nullptr) ||
            got == 0)
            break;
        used += got;
    }
    CloseHandle(file);
    text.resize(used);
    return text;
}

}  // namespace tb::usbserial
