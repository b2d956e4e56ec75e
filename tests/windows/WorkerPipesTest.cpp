// The batch's worker processes on Windows: started with pipes and our
// environment (one entry replaced), their output waited for and read to its
// end, and a write to one that has gone failing instead of ending us.
#include <gtest/gtest.h>
#include <io.h>
#include <windows.h>

#include "cli/BatchWorker.h"
#include "cli/WorkerPipes.h"
#include "services/PageServices.h"

namespace tb::cli {
namespace {

// Everything the process prints, waiting for it as the batch does.
std::string ReadToEnd(int fd) {
    LineReader reader(fd);
    std::string text;
    for (;;) {
        const std::vector<bool> readable = WaitReadable({fd});
        EXPECT_TRUE(readable.at(0));
        const bool open = reader.Fill();
        while (auto line = reader.Take()) text += *line + "\n";
        if (!open) return text;
    }
}

std::string Cmd() {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return QString::fromWCharArray(system).toStdString() + "/cmd.exe";
}

TEST(WorkerPipesOnWindows, ChildGetsOurEnvironmentWithTheEntryReplaced) {
    _putenv_s("TB_WORKER_PROBE", "ours");
    _putenv_s("TB_WORKER_KEPT", "kept");
    std::string error;
    const auto child = SpawnWithPipes(Cmd(), {"/c", "echo %TB_WORKER_PROBE%;%TB_WORKER_KEPT%"},
                                      "TB_WORKER_PROBE=given one", error);
    ASSERT_TRUE(child) << error;
    _close(child->input);
    const std::string printed = ReadToEnd(child->output);
    _close(child->output);
    AwaitProcess(child->process);
    EXPECT_EQ(printed, "given one;kept\r\n");
}

TEST(WorkerPipesOnWindows, TheWorkerProgramAnswersOnItsPipesThroughAPathWithSpaces) {
    std::string error;
    const auto child = SpawnWithPipes(
        OwnProgramPath(), {"--version", "with \"quotes\" and spaces\\"}, "TB_X=1", error);
    ASSERT_TRUE(child) << error;
    _close(child->input);
    const std::string printed = ReadToEnd(child->output);
    _close(child->output);
    AwaitProcess(child->process);
    EXPECT_NE(printed.find("trimbench"), std::string::npos) << printed;
}

TEST(WorkerPipesOnWindows, AMissingProgramIsReportedAndAGoneWorkerFailsWrites) {
    std::string error;
    EXPECT_FALSE(
        SpawnWithPipes(services::ProgramFolder() + "/no-such-program.exe", {}, "TB_X=1", error));
    EXPECT_NE(error.find("no-such-program.exe"), std::string::npos) << error;

    const auto child = SpawnWithPipes(Cmd(), {"/c", "exit 0"}, "TB_X=1", error);
    ASSERT_TRUE(child) << error;
    EXPECT_EQ(ReadToEnd(child->output), "");
    AwaitProcess(child->process);
    const BrokenPipesIgnored ignored;
    const char line[] = "{}\n";
    EXPECT_LT(_write(child->input, line, sizeof line - 1), 0);
    _close(child->input);
    _close(child->output);
}

}  // namespace
}  // namespace tb::cli
