#include "tcp/ConnectionState.h"

#include <dlfcn.h>
#include <unistd.h>

namespace tb::tcp {
namespace {

std::string FolderOfThisLibrary() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&FolderOfThisLibrary), &info) == 0 || !info.dli_fname)
        return {};
    std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

ConnectionState::~ConnectionState() {
    // The thread ends with a connection still open: its windows die with the
    // thread, the socket must not outlive it either.
    if (socket >= 0) ::close(socket);
}

ConnectionState& ThisThreadConnection() {
    thread_local ConnectionState state;
    if (state.moduleFolder.empty()) state.moduleFolder = FolderOfThisLibrary();
    return state;
}

}  // namespace tb::tcp
