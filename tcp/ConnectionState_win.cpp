#include <winsock2.h>
// After winsock2.h:
#include <windows.h>

#include "tcp/ConnectionState.h"

namespace tb::tcp {
namespace {

std::string FolderOfThisLibrary() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&FolderOfThisLibrary), &self))
        return {};
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(self, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    const std::string file(path, length);
    const size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

}  // namespace

ConnectionState::~ConnectionState() {
    // The thread ends with a connection still open: its windows die with the
    // thread, the socket must not outlive it either.
    if (socket >= 0) ::closesocket(static_cast<SOCKET>(static_cast<unsigned>(socket)));
}

ConnectionState& ThisThreadConnection() {
    thread_local ConnectionState state;
    if (state.moduleFolder.empty()) state.moduleFolder = FolderOfThisLibrary();
    return state;
}

}  // namespace tb::tcp
