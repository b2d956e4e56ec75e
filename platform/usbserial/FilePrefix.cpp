#include "platform/usbserial/FilePrefix.h"

#include <fcntl.h>
#include <unistd.h>

namespace tb::usbserial {

std::string ReadFilePrefix(const std::string& path, size_t limit) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return {};
    std::string text(limit, '\0');
    size_t used = 0;
    while (used < text.size()) {
        ssize_t n = read(fd, text.data() + used, text.size() - used);
        if (n <= 0) break;
        used += static_cast<size_t>(n);
    }
    close(fd);
    text.resize(used);
    return text;
}

}  // namespace tb::usbserial
