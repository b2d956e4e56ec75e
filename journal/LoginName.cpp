#include "journal/LoginName.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace tb::journal {

std::string LoginName() {
    if (const char* user = std::getenv("USER"); user && *user) return user;
    if (const char* login = getlogin(); login && *login) return login;
    // Started without a session's environment or a terminal (a service, a
    // launcher): the account the program runs as.
    passwd entry{};
    passwd* found = nullptr;
    std::array<char, 1024> buffer{};
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name && *found->pw_name) {
        return found->pw_name;
    }
    return {};
}

}  // namespace tb::journal
