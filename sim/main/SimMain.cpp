// trimbench-sim: serves a bench of simulated devices until SIGINT or
// SIGTERM, printing their state as it changes (SIGUSR1: all of it) and
// taking commands on standard input (ConsoleCommand.h).
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <exception>
#include <string>
#include <system_error>
#include <vector>

#include "sim/core/Bench.h"
#include "sim/core/EchoDevice.h"
#include "sim/main/CommandLine.h"
#include "sim/main/ConsoleCommand.h"
#include "sim/main/ConsoleLines.h"
#include "sim/main/StateChanges.h"

namespace {

using namespace tb::sim;

void BuildBench(Bench& bench, const SimSettings& settings, const std::vector<Family>& families) {
    for (const auto& family : families) {
        if (family.build) family.build(settings.familyOptions, bench);
    }
    if (bench.DeviceCount() > 0) return;
    for (const auto& family : families) {
        if (family.addDefault) family.addDefault(bench);
    }
    if (bench.DeviceCount() == 0) bench.Emplace<EchoDevice>();
}

// The changed lines under a heading with the local time.
void PrintChanges(StateChanges& changes, const Bench& bench) {
    auto lines = changes.Update(bench.Dump());
    if (lines.empty()) return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    std::printf("-- %s changed:\n", stamp);
    for (const auto& line : lines) std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

// Serves signals and console commands until SIGINT or SIGTERM; prints the
// devices' state changes about once a second.
void Serve(Bench& bench, const sigset_t& signals, bool quiet) {
    int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signalFd < 0) throw std::system_error(errno, std::system_category(), "signalfd");
    StateChanges changes;
    changes.Update(bench.Dump());
    ConsoleLines console;
    pollfd fds[2] = {{signalFd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    nfds_t watched = 2;
    while (true) {
        poll(fds, watched, 1000);
        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info{};
            if (read(signalFd, &info, sizeof info) == sizeof info) {
                if (info.ssi_signo == SIGINT || info.ssi_signo == SIGTERM) break;
                if (info.ssi_signo == SIGUSR1) Print(bench.Dump());
            }
        }
        if (watched == 2 && fds[1].revents != 0) {
            char bytes[512];
            ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
            if (n <= 0) watched = 1;  // end of input: signals only
            for (const auto& line :
                 console.Feed(std::string_view(bytes, n > 0 ? static_cast<size_t>(n) : 0)))
                Print(RunConsoleCommand(ParseConsoleCommand(line), bench));
        }
        if (!quiet) PrintChanges(changes, bench);
    }
    close(signalFd);
}

int Run(const std::vector<std::string>& args) {
    auto families = AllFamilies();
    SimSettings settings = ParseCommandLine(args, families);
    if (settings.help) {
        std::printf("%s", Usage(families).c_str());
        return 0;
    }
    // Signals are taken through a signalfd only; the bench's thread
    // inherits the blocked mask.
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : {SIGINT, SIGTERM, SIGUSR1}) sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Bench bench({.pacing = settings.pacing, .firstComNumber = settings.firstComNumber});
    BuildBench(bench, settings, families);
    for (int com : settings.unplugged) {
        if (!bench.Unplug(com))
            throw std::invalid_argument("--unplugged: no device on COM" + std::to_string(com));
    }
    std::string mapPath = settings.mapPath.empty() ? DefaultMapPath() : settings.mapPath;
    bench.WriteDeviceMap(mapPath);
    std::printf("TRIMBENCH_DEVICE_MAP=%s\n%s", mapPath.c_str(), bench.Dump().c_str());
    std::fflush(stdout);

    Serve(bench, signals, settings.quiet);
    if (settings.dumpOnExit) std::printf("%s", bench.Dump().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "trimbench-sim: %s (see --help)\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "trimbench-sim: %s\n", e.what());
        return 1;
    }
}
