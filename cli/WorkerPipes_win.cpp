// Worker processes on Windows: CreateProcessW with anonymous pipes on the
// child's standard input and output, in a process group of its own (Ctrl-C
// of the console does not reach it). Anonymous pipes have no readiness
// wait, so waiting for output peeks at each pipe in short turns.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cwctype>

#include "cli/WorkerPipes.h"
#include "platform/WideText.h"
#include "services/PageServices.h"

namespace tb::cli {
namespace {

constexpr DWORD kPeekTurnMs = 2;

using platform::Wide;

std::string SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = "system error " + std::to_string(error);
    if (length > 0 && text != nullptr) {
        std::wstring wide(text, length);
        while (!wide.empty() && std::iswspace(wide.back())) wide.pop_back();
        const int bytes = WideCharToMultiByte(
            CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        message.assign(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), message.data(),
                            bytes, nullptr, nullptr);
    }
    if (text != nullptr) LocalFree(text);
    return message;
}

// One argument as the C runtime's parser reads it back: as it is when it
// has no blank or quote, else quoted, with the backslashes before a quote
// (and before the closing quote) doubled.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L'"';
}

// Our environment block with `entry` in place of any variable of its name
// (names compare without case on Windows).
std::wstring EnvironmentWith(const std::wstring& entry) {
    const std::wstring prefix = entry.substr(0, entry.find(L'=') + 1);
    std::wstring block;
    if (wchar_t* strings = GetEnvironmentStringsW()) {
        for (const wchar_t* variable = strings; *variable != L'\0';
             variable += wcslen(variable) + 1) {
            if (_wcsnicmp(variable, prefix.c_str(), prefix.size()) == 0) continue;
            block.append(variable);
            block += L'\0';
        }
        FreeEnvironmentStringsW(strings);
    }
    block.append(entry);
    block += L'\0';
    return block;
}

struct Pipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
};

// A pipe whose `childEnd` alone is inherited.
bool MakePipe(Pipe& pipe, bool childReads) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&pipe.read, &pipe.write, &inherited, 0)) return false;
    SetHandleInformation(childReads ? pipe.write : pipe.read, HANDLE_FLAG_INHERIT, 0);
    return true;
}

void Close(HANDLE& handle) {
    if (handle != nullptr) CloseHandle(handle);
    handle = nullptr;
}

}  // namespace

std::string OwnProgramPath() { return services::ProgramFolder() + "/trimbench.exe"; }

std::optional<SpawnedProcess> SpawnWithPipes(const std::string& program,
                                             const std::vector<std::string>& arguments,
                                             const std::string& entry, std::string& error) {
    Pipe toChild, fromChild;
    if (!MakePipe(toChild, true) || !MakePipe(fromChild, false)) {
        error = SystemMessage(GetLastError());
        Close(toChild.read), Close(toChild.write), Close(fromChild.read), Close(fromChild.write);
        return std::nullopt;
    }
    HANDLE errors = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(),
                    &errors, 0, TRUE, DUPLICATE_SAME_ACCESS);

    std::wstring path = Wide(program);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    std::wstring commandLine = Quoted(path);
    for (const std::string& argument : arguments) commandLine += L' ' + Quoted(Wide(argument));
    std::wstring environment = EnvironmentWith(Wide(entry));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = toChild.read;
    startup.hStdOutput = fromChild.write;
    startup.hStdError = errors;
    PROCESS_INFORMATION started{};
    const BOOL created = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_PROCESS_GROUP,
                                        environment.data(), nullptr, &startup, &started);
    const DWORD createError = GetLastError();
    Close(toChild.read);
    Close(fromChild.write);
    Close(errors);
    if (!created) {
        error = program + ": " + SystemMessage(createError);
        Close(toChild.write);
        Close(fromChild.read);
        return std::nullopt;
    }
    CloseHandle(started.hThread);
    SpawnedProcess spawned;
    spawned.process = reinterpret_cast<std::intptr_t>(started.hProcess);
    spawned.input =
        _open_osfhandle(reinterpret_cast<std::intptr_t>(toChild.write), _O_WRONLY | _O_BINARY);
    spawned.output =
        _open_osfhandle(reinterpret_cast<std::intptr_t>(fromChild.read), _O_RDONLY | _O_BINARY);
    return spawned;
}

void AwaitProcess(std::intptr_t process) {
    const HANDLE handle = reinterpret_cast<HANDLE>(process);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    WaitForSingleObject(handle, INFINITE);
    CloseHandle(handle);
}

std::vector<bool> WaitReadable(const std::vector<int>& fds) {
    std::vector<bool> readable(fds.size(), false);
    for (;;) {
        bool any = false;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            DWORD available = 0;
            const HANDLE pipe = reinterpret_cast<HANDLE>(_get_osfhandle(fds[i]));
            // A pipe that fails the peek has ended: its reader sees the end.
            if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available > 0) {
                readable[i] = true;
                any = true;
            }
        }
        if (any || fds.empty()) return readable;
        Sleep(kPeekTurnMs);
    }
}

// The rows travel as bytes: no text-mode translation of line ends.
int TakeRowStream() {
    _setmode(_fileno(stdin), _O_BINARY);
    const int rows = _dup(_fileno(stdout));
    _setmode(rows, _O_BINARY);
    fflush(stdout);
    _dup2(_fileno(stderr), _fileno(stdout));
    return rows;
}

// A write to a pipe whose reader has gone fails with an error on Windows;
// there is no signal to ignore.
BrokenPipesIgnored::BrokenPipesIgnored() = default;

BrokenPipesIgnored::~BrokenPipesIgnored() = default;

}  // namespace tb::cli
