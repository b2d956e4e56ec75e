// The installed shape: the trimbench program against trimbench-sim, as a
// script on a production line would call it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "services/PageServices.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/SimProgram.h"

namespace {

struct Result {
    int exit = -1;
    std::string out;
    QJsonObject Json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
};

class TrimbenchProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tb-cli-program-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        setenv("TRIMBENCH_SETTINGS_FILE", (folder_ / "settings.ini").c_str(), 1);
        std::ofstream(folder_ / "settings.ini")
            << "[Journal]\nFile=" << (folder_ / "journal.sqlite3").string() << "\nLab=Line 7 lab\n";
        sim_ = std::make_unique<tb::testsupport::SimProgram>(
            Program("trimbench-sim"), (folder_ / "devices.map").string(),
            std::vector<std::string>{"--no-pacing", "--logger", "820", "--lgr890"});
        ASSERT_TRUE(sim_->Started());
        setenv("TRIMBENCH_DEVICE_MAP", sim_->Map().c_str(), 1);
    }
    void TearDown() override {
        sim_.reset();
        std::filesystem::remove_all(folder_);
    }

    static std::string Program(const char* name) {
        return (std::filesystem::path(tb::services::ProgramFolder()) / name).string();
    }

    // Runs trimbench with its standard input closed; standard error is
    // dropped unless `errors` is set, when it is read with the output.
    Result Trimbench(const std::string& args, bool errors = false) {
        const std::string command =
            Program("trimbench") + " " + args + " </dev/null " + (errors ? "2>&1" : "2>/dev/null");
        auto [out, exit] = tb::testsupport::RunCommand(command);
        return {exit, std::move(out)};
    }

    std::filesystem::path folder_;
    std::unique_ptr<tb::testsupport::SimProgram> sim_;
};

TEST_F(TrimbenchProgram, ListsAdjustsReadsAndRunsABatchAgainstTheSimulator) {
    const Result list = Trimbench("list --json");
    ASSERT_EQ(list.exit, 0);
    const QJsonArray loggers = list.Json()["loggers"].toArray();
    ASSERT_GE(loggers.size(), 2) << list.out;
    const std::string unit = loggers[0].toObject()["serial"].toString().toStdString();
    EXPECT_EQ(loggers[0].toObject()["model"].toString(), "820/821");
    EXPECT_EQ(loggers[1].toObject()["model"].toString(), "890");

    EXPECT_EQ(Trimbench("adjust 820 --point 20:20.4 --dry-run").exit, 0);
    EXPECT_EQ(Trimbench("adjust 820 --point 20:20.4").exit, 7);  // no terminal, no --yes: No
    ASSERT_EQ(Trimbench("adjust 820 --serial " + unit + " --point 20:20.4 --yes").exit, 0);
    const Result read = Trimbench("read 820 --json");
    ASSERT_EQ(read.exit, 0);
    EXPECT_DOUBLE_EQ(read.Json()["channels"].toArray()[0].toObject()["offset"].toDouble(), 0.4);

    std::ofstream(folder_ / "rows.csv") << "model,serial,channel,before1,after1\n"
                                        << "820," << unit << ",1,20,20.1\n"
                                        << "890,,1,20,99\n"
                                        << "890,,1,20,19.5\n";
    const Result batch = Trimbench("batch " + (folder_ / "rows.csv").string() + " --yes --keep-going");
    EXPECT_EQ(batch.exit, 5);
    EXPECT_NE(batch.out.find("limit"), std::string::npos) << batch.out;
    const Result cable = Trimbench("read 890 --json");
    EXPECT_DOUBLE_EQ(cable.Json()["channels"].toArray()[0].toObject()["offset"].toDouble(), -0.5);

    // The interface language decides both the page's and trimbench's own texts.
    EXPECT_EQ(Trimbench("--help").out.rfind("使い方: trimbench <サブコマンド> [オプション]\n", 0),
              0u);
    setenv("TRIMBENCH_LANGUAGE", "en", 1);
    const Result english = Trimbench("adjust 820 --point 0:45 --dry-run", true);
    const Result help = Trimbench("--help");
    unsetenv("TRIMBENCH_LANGUAGE");
    EXPECT_EQ(english.exit, 5);
    EXPECT_NE(english.out.find("The added offset exceeds"), std::string::npos) << english.out;
    EXPECT_EQ(help.out.rfind("usage: trimbench <subcommand> [options]\n", 0), 0u) << help.out;

    EXPECT_EQ(Trimbench("initialise 820 --yes").exit, 0);
    EXPECT_DOUBLE_EQ(Trimbench("read 820 --json").Json()["channels"].toArray()[0].toObject()["offset"].toDouble(),
                     0.0);
}

// The certificate is the journal window's: the program draws it off-screen.
TEST_F(TrimbenchProgram, WritesTheCertificateOfTheLoggersLatestDay) {
    const std::string unit =
        Trimbench("list --json").Json()["loggers"].toArray()[0].toObject()["serial"].toString().toStdString();
    const std::string pdf = (folder_ / "certificate.pdf").string();
    EXPECT_EQ(Trimbench("certificate --serial " + unit + " --out " + pdf).exit, 8);  // nothing recorded yet
    ASSERT_EQ(Trimbench("adjust 820 --point 20:20.4 --yes").exit, 0);

    const Result written = Trimbench("certificate --serial " + unit + " --out " + pdf + " --json");
    ASSERT_EQ(written.exit, 0) << written.out;
    EXPECT_EQ(written.Json()["records"].toInt(), 1);
    const std::string shown = tb::testsupport::RunCommand("pdftotext -layout " + pdf + " -").out;
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown.find(unit), std::string::npos) << shown;
    EXPECT_NE(shown.find("Line 7 lab"), std::string::npos) << shown;
    EXPECT_NE(shown.find("y = 1.000x +0.000"), std::string::npos) << shown;  // as found
    EXPECT_NE(shown.find("y = 1.000x +0.400"), std::string::npos) << shown;  // as left
}

}  // namespace
