// A small C program linked against libVkLGR800Comm.so reads the adjustment
// block of the logger behind trimbench-sim's LAN base unit; with the
// diagnostics marker beside the program, every step lands in its log.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "tests/support/SpawnProgram.h"

namespace {

namespace fs = std::filesystem;

// A child process whose standard output the test reads line by line.
class Child {
  public:
    explicit Child(std::vector<std::string> args) {
        int out[2];
        EXPECT_EQ(pipe(out), 0);
        pid_ = tb::testsupport::SpawnProgram(std::move(args),
                                             {.outputFd = out[1], .closeInChild = out[0]});
        EXPECT_GT(pid_, 0);
        close(out[1]);
        output_ = fdopen(out[0], "r");
    }
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            Wait();
        }
        if (output_) fclose(output_);
    }
    // The next line of output, or empty at its end.
    std::string Line() {
        char line[512];
        return output_ && fgets(line, sizeof line, output_) ? line : "";
    }
    std::string Rest() {
        std::string all;
        for (std::string line = Line(); !line.empty(); line = Line()) all += line;
        return all;
    }
    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
};

// The program in a folder of its own, with its libraries beside it and the
// diagnostics marker switched on for it alone.
fs::path StageProgram(const fs::path& folder) {
    const fs::path out = fs::path(PROGRAM_PATH).parent_path();
    fs::copy_file(PROGRAM_PATH, folder / "lan_adjust_read");
    for (const auto& entry : fs::directory_iterator(out))
        if (entry.path().filename().string().find(".so") != std::string::npos)
            fs::create_symlink(entry.path(), folder / entry.path().filename());
    std::ofstream(folder / "FileOutput").put('\n');
    return folder / "lan_adjust_read";
}

TEST(AdjustReadProgram, ReadsTheBlockThroughTrimbenchSimsLanBaseUnit) {
    char folderTemplate[] = "/tmp/tb_lan_program_XXXXXX";
    const fs::path folder = mkdtemp(folderTemplate);
    const fs::path program = StageProgram(folder);

    Child sim({SIM_PATH, "--lan", "--lan-login", "bench-login", "--lan-logger", "820", "--map",
               (folder / "devices.map").string(), "--no-pacing", "--quiet"});
    std::smatch found;
    const std::regex lanLine(R"(LAN_BASE_UNIT=127\.0\.0\.1:(\d+) )");
    std::string port;
    for (std::string line = sim.Line(); !line.empty() && port.empty(); line = sim.Line())
        if (std::regex_search(line, found, lanLine)) port = found[1];
    ASSERT_FALSE(port.empty()) << "trimbench-sim printed no LAN port";

    Child reader({program.string(), "127.0.0.1", port, "bench-login"});
    const std::string printed = reader.Rest();
    EXPECT_EQ(reader.Wait(), 0) << printed;
    EXPECT_NE(printed.find("key 1\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("status EIADJ0000"), std::string::npos) << printed;
    // The factory state of a one-channel logger: slope code 1000, offset 0.
    EXPECT_NE(printed.find("block e8 03 00 00 00 00"), std::string::npos) << printed;

    std::ifstream ring(folder / "DllLog.txt");
    std::stringstream log;
    log << ring.rdbuf();
    for (const char* step :
         {"Connect Start(00000001 127.0.0.1[", "Connect Success(00000001)",
          "LAN Send Start(00000001)", "LAN Send Result(00000001)=1", "Recv Start(00000001)",
          "LAN Recv Success(00000001)", "Close Start(00000001)", "LAN Close Complete(00000001)"})
        EXPECT_NE(log.str().find(step), std::string::npos) << step << "\n" << log.str();

    Child refused({program.string(), "127.0.0.1", port, "wrong-login"});
    const std::string complaint = refused.Rest();
    EXPECT_EQ(refused.Wait(), 1) << "a refused login must fail the program: " << complaint;
    fs::remove_all(folder);
}

}  // namespace
