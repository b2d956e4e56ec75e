// `trimbench batch`: the CSV file's rules, and runs of good rows with one
// bad row among them.
#include <QJsonArray>
#include <fstream>

#include "cli/BatchFile.h"
#include "cli/ExitCode.h"
#include "tests/cli/CliFixture.h"

namespace tb::clitest {
namespace {

using cli::ParseBatchFile;

TEST(BatchFile, AcceptsTheHeaderWithOrWithoutTheOptionalColumns) {
    struct Case {
        const char* text;
        std::size_t rows;
    };
    const Case cases[] = {
        {"model,serial,channel,before1,after1\n820,,1,20,20.1\n", 1},
        {"\xEF\xBB\xBFmodel,serial,channel,before1,after1,before2,after2\r\n"
         "820,00A1B2C3,1,0,0.1,10,10.2\r\n\r\n890,COM3,1,5,5.5,,\r\n",
         2},
        {"model,serial,channel,before1,after1,before2,after2,input_kind\n"
         "\"820\",\"00A1B2C3\",1,\" 25\",25.3\n",
         1},
    };
    for (const Case& c : cases) {
        const auto file = ParseBatchFile(c.text);
        EXPECT_TRUE(file.error.empty()) << c.text << file.error;
        EXPECT_EQ(file.rows.size(), c.rows) << c.text;
    }
    const auto quoted = ParseBatchFile(cases[2].text);
    EXPECT_EQ(quoted.rows[0].serial, "00A1B2C3");
    EXPECT_EQ(quoted.rows[0].before1, " 25");  // the page judges the reading as typed
    EXPECT_EQ(ParseBatchFile(cases[1].text).rows[1].line, 4);
}

TEST(BatchFile, RefusesMalformedFilesNamingTheLine) {
    struct Case {
        std::string text;
        int line;
    };
    const std::string header = "model,serial,channel,before1,after1,before2,after2\n";
    const Case cases[] = {
        {"", 0},
        {header, 0},
        {"model,channel,serial,before1,after1\n820,1,,1,2\n", 1},
        {header + "820,,1,1,2\n820,,1,1,2,3,4,5\n", 3},
        {header + "820,,1,,2\n", 2},
        {header + "820,,1,1,2,3,\n", 2},
        {header + "820,,1,\"1,2\n", 2},
        {header + "820,,1," + std::string(100, '1') + ",2\n", 2},
        {std::string(cli::kMaxBatchBytes + 1, '\n'), 0},
    };
    for (const Case& c : cases) {
        const auto file = ParseBatchFile(c.text);
        EXPECT_FALSE(file.error.empty()) << c.text.substr(0, 80);
        EXPECT_EQ(file.errorLine, c.line) << c.text.substr(0, 80);
        EXPECT_TRUE(file.rows.empty());
    }
}

class BatchRun : public CliTest {
  protected:
    std::string WriteCsv(const std::string& text) {
        const std::string path = settings_.string() + ".csv";
        std::ofstream(path) << text;
        return path;
    }
};

TEST_F(BatchRun, StopsAtTheFirstFailedRowUnlessToldToKeepGoing) {
    auto first = AddUnit(0x00820001);
    auto second = AddUnit(0x00820002);
    auto third = AddUnit(0x00820003);
    bench_.UseTemporaryDeviceMap();
    const std::string csv = WriteCsv(
        "model,serial,channel,before1,after1,before2,after2,input_kind\n"
        "820,00820001,1,20,20.5\n"
        "820,00820002,1,0,45\n"  // +45: beyond the channel's limit
        "821,00820003,1,0,0.1,10,10.3\n");

    const CliRun stopped = Trimbench({"batch", csv, "--yes", "--jobs", "1"});
    EXPECT_EQ(stopped.exit, static_cast<int>(cli::ExitCode::Limit));
    EXPECT_EQ(Held(*first), std::make_pair(1000, 500));
    EXPECT_EQ(Writes(*second), 0);
    EXPECT_EQ(Writes(*third), 0);
    EXPECT_NE(stopped.out.find("limit"), std::string::npos) << stopped.out;
    EXPECT_NE(stopped.out.find("未実行"), std::string::npos) << stopped.out;

    const CliRun kept = Trimbench({"batch", csv, "--yes", "--keep-going", "--json", "--jobs", "1"});
    EXPECT_EQ(kept.exit, static_cast<int>(cli::ExitCode::Limit));
    const QJsonArray rows = kept.Json()["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].toObject()["result"].toString(), "done");
    EXPECT_EQ(rows[1].toObject()["result"].toString(), "limit");
    EXPECT_EQ(rows[1].toObject()["line"].toInt(), 3);
    EXPECT_EQ(rows[2].toObject()["result"].toString(), "done");
    EXPECT_EQ(Writes(*second), 0);
    EXPECT_EQ(Held(*third), std::make_pair(1020, 100));
}

TEST_F(BatchRun, RowsThatNameNoSuchLoggerOrModelFailOnTheirOwn) {
    auto logger = AddUnit(0x00820001);
    bench_.UseTemporaryDeviceMap();
    const std::string csv = WriteCsv(
        "model,serial,channel,before1,after1\n"
        "999,,1,20,21\n"
        "820,00FFFFFF,1,20,21\n"
        "820,not-hex,1,20,21\n"
        "820,,1,20,21\n");
    const CliRun run = Trimbench({"batch", csv, "--yes", "--keep-going", "--json"});
    const QJsonArray rows = run.Json()["rows"].toArray();
    ASSERT_EQ(rows.size(), 4) << run.out << run.err;
    EXPECT_EQ(rows[0].toObject()["result"].toString(), "usage");
    EXPECT_EQ(rows[1].toObject()["result"].toString(), "no-logger");
    EXPECT_EQ(rows[2].toObject()["result"].toString(), "usage");
    EXPECT_EQ(rows[3].toObject()["result"].toString(), "done");
    EXPECT_EQ(run.exit, static_cast<int>(cli::ExitCode::Usage));
    EXPECT_EQ(Held(*logger), std::make_pair(1000, 1000));
}

TEST_F(BatchRun, AMissingOrMalformedFileIsReportedBeforeAnyRowRuns) {
    EXPECT_EQ(Trimbench({"batch", "/nonexistent/rows.csv"}).exit,
              static_cast<int>(cli::ExitCode::Failure));
    const CliRun malformed = Trimbench({"batch", WriteCsv("model,serial\n820,\n")});
    EXPECT_EQ(malformed.exit, static_cast<int>(cli::ExitCode::Usage));
    EXPECT_FALSE(malformed.err.empty());
}

// A question is reported as the question it is, and never as the reason a
// row failed: the reason of a write that failed after Yes is the failure.
TEST_F(BatchRun, QuestionsKeepTheirOwnIdAndAFailedWriteIsItsOwnReason) {
    auto logger = AddUnit(0x00820001);
    bench_.UseTemporaryDeviceMap();
    const CliRun asked = Trimbench({"adjust", "820", "--point", "20:20.5", "--yes", "--json"});
    ASSERT_EQ(asked.exit, 0) << asked.out << asked.err;
    const QJsonArray messages = asked.Json()["messages"].toArray();
    ASSERT_GE(messages.size(), 2);
    EXPECT_EQ(messages[0].toObject()["icon"].toString(), "question");
    EXPECT_EQ(messages[0].toObject()["id"].toInt(), 1064);
    EXPECT_EQ(messages[1].toObject()["id"].toInt(), 1050);

    {
        auto lock = bench_.LockState();
        logger->Faults().readBackDiffers = -1;
    }
    const std::string csv = WriteCsv("model,serial,channel,before1,after1\n820,00820001,1,20,21\n");
    const CliRun failed = Trimbench({"batch", csv, "--yes"});
    EXPECT_EQ(failed.exit, static_cast<int>(cli::ExitCode::Communication));
    EXPECT_NE(failed.out.find("選択された機器が接続されていません。"), std::string::npos) << failed.out;
    EXPECT_EQ(failed.out.find("という補正式になります"), std::string::npos) << failed.out;
}

}  // namespace
}  // namespace tb::clitest
