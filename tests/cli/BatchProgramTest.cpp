// `trimbench batch` as a production line runs it: the program against
// trimbench-sim paced at the line rate, stopped with Ctrl-C, and two
// batches writing one journal at once.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "services/PageServices.h"
#include "tests/support/SimProgram.h"

namespace {

namespace fs = std::filesystem;

std::string Program(const char* name) { return (fs::path(tb::services::ProgramFolder()) / name).string(); }

// trimbench started with its output on a pipe, in a process group of its
// own as a shell's foreground job is.
class Running {
  public:
    explicit Running(std::vector<std::string> args) {
        args.insert(args.begin(), Program("trimbench"));
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = tb::testsupport::SpawnProgram(std::move(args), {.outputFd = out[1],
                                                               .closeInChild = out[0],
                                                               .emptyInput = true,
                                                               .ownProcessGroup = true});
        close(out[1]);
        out_ = out[0];
    }
    ~Running() {
        if (out_ >= 0) close(out_);
    }

    // Reads the output until it holds `text`; false at its end.
    bool WaitFor(const std::string& text) {
        while (output_.find(text) == std::string::npos)
            if (!ReadSome()) return false;
        return true;
    }
    // Ctrl-C on the terminal: SIGINT to the foreground process group.
    void Interrupt() const { kill(-pid_, SIGINT); }
    // Reads to the end and waits; the exit status (-1 if it did not exit).
    int Finish() {
        while (ReadSome()) {
        }
        int status = 0;
        if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& Output() const { return output_; }

  private:
    bool ReadSome() {
        char buffer[4096];
        const ssize_t got = read(out_, buffer, sizeof buffer);
        if (got <= 0) return false;
        output_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    std::string output_;
};

class BatchProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tb-batch-program-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        setenv("TRIMBENCH_SETTINGS_FILE", (folder_ / "settings.ini").c_str(), 1);
        setenv("TRIMBENCH_LANGUAGE", "en", 1);
        std::ofstream(folder_ / "settings.ini") << "[Journal]\nFile=" << (folder_ / "journal.sqlite3").string() << "\n";
    }
    void TearDown() override {
        sim_.reset();
        unsetenv("TRIMBENCH_LANGUAGE");
        fs::remove_all(folder_);
    }
    void StartSim(std::vector<std::string> args) {
        sim_ = std::make_unique<tb::testsupport::SimProgram>(Program("trimbench-sim"),
                                                             (folder_ / "devices.map").string(), std::move(args));
        ASSERT_TRUE(sim_->Started());
        setenv("TRIMBENCH_DEVICE_MAP", sim_->Map().c_str(), 1);
    }
    // Rows raising each unit's offset by 0.1, `perUnit` times, units interleaved.
    std::string Rows(const std::string& name, std::vector<std::string> units, int perUnit) {
        const fs::path path = folder_ / name;
        std::ofstream csv(path);
        csv << "model,serial,channel,before1,after1\n";
        for (int i = 0; i < perUnit; ++i)
            for (const std::string& unit : units) csv << "820," << unit << ",1,20,20.1\n";
        return path.string();
    }
    double Offset(const std::string& unit) {
        Running read({"read", "820", "--serial", unit, "--json"});
        read.Finish();
        const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(read.Output())).object();
        return json["channels"].toArray()[0].toObject()["offset"].toDouble(-99);
    }
    QJsonObject Verified() {
        Running verify({"journal", "verify", "--json"});
        verify.Finish();
        return QJsonDocument::fromJson(QByteArray::fromStdString(verify.Output())).object();
    }

    fs::path folder_;
    std::unique_ptr<tb::testsupport::SimProgram> sim_;
};

// Ctrl-C after the first finished row: the rows running then finish, no
// other row starts, the summary is printed and the exit status is 130.
// Each unit holds exactly the rows the summary reports done (no write was
// cut off and none was made after the summary's count).
TEST_F(BatchProgram, CtrlCLetsRunningRowsFinishPrintsTheSummaryAndExits130) {
    StartSim({"--logger", "820", "--logger", "820", "--logger", "820"});
    const std::vector<std::string> units = {"00820001", "00820002", "00820003"};
    Running batch({"batch", Rows("rows.csv", units, 4), "--yes"});
    ASSERT_TRUE(batch.WaitFor(" done ")) << batch.Output();
    batch.Interrupt();
    EXPECT_EQ(batch.Finish(), 130) << batch.Output();
    const std::string& out = batch.Output();
    ASSERT_NE(out.find("rows failed"), std::string::npos) << out;
    EXPECT_NE(out.find("not run"), std::string::npos) << out;

    std::map<std::string, int> done;
    const std::regex summaryLine(R"(^\d+\s+(\w+)\s+1\s+(\S+))");
    std::istringstream lines(out.substr(out.find("row   logger")));
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, summaryLine) && match[2] == "done") ++done[match[1]];
    }
    int total = 0;
    for (const std::string& unit : units) total += done[unit];
    EXPECT_GE(total, 1);
    EXPECT_LT(total, 12);
    EXPECT_EQ(Verified()["rows"].toInt(), total);  // before the reads below add theirs
    for (const std::string& unit : units) EXPECT_NEAR(Offset(unit), 0.1 * done[unit], 1e-9) << unit << "\n" << out;
}

// Two batches on one journal at once, each with its devices side by side:
// four writers, every row recorded once, one chain.
TEST_F(BatchProgram, TwoBatchesAtOnceKeepEveryRowInOneChain) {
    StartSim({"--no-pacing", "--logger", "820", "--logger", "820", "--logger", "820", "--logger", "820"});
    Running first({"batch", Rows("first.csv", {"00820001", "00820002"}, 5), "--yes"});
    Running second({"batch", Rows("second.csv", {"00820003", "00820004"}, 5), "--yes"});
    EXPECT_EQ(first.Finish(), 0) << first.Output();
    EXPECT_EQ(second.Finish(), 0) << second.Output();
    const QJsonObject verified = Verified();
    EXPECT_EQ(verified["result"].toString(), "done") << verified["message"].toString().toStdString();
    EXPECT_TRUE(verified["firstBroken"].isNull());
    EXPECT_EQ(verified["rows"].toInt(), 20);
    for (const char* unit : {"00820001", "00820002", "00820003", "00820004"}) EXPECT_NEAR(Offset(unit), 0.5, 1e-9);
}

}  // namespace
