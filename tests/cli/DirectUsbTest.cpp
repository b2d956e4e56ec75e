// The direct-USB pages (870, 875) from the command line: channels by
// number on the page's two tabs, initialise by pair, the history lists.
#include <QJsonArray>
#include <fstream>

#include "cli/CliTexts.h"
#include "cli/ExitCode.h"
#include "services/PageServices.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "tests/cli/CliFixture.h"

namespace tb::clitest {
namespace {

using cli::ExitCode;
using Codes = std::array<int16_t, 4>;

constexpr uint8_t kIlluminanceUvGroup = 2;
constexpr uint8_t kTemperatureHumidityGroup = 1;

constexpr int kSetHistoryCommand = 0x5D;

class DirectUsbCli : public CliTest {
  protected:
    sim::Lgr87xLogger& Add(sim::Lgr87xModel model) {
        device_ = &bench_.Emplace<sim::Lgr87xDevice>(sim::Lgr87xDefaults(model));
        return device_->Logger();
    }
    void Arm(sim::Lgr87xLogger& logger, sim::Lgr87xFault fault, int count, int command = -1) {
        auto lock = bench_.LockState();
        logger.ArmFault(fault, count, command);
    }
    // The channel's entry of --json's channels.
    static QJsonObject ChannelOf(const QJsonObject& json, int channel) {
        for (const QJsonValue& entry : json["channels"].toArray())
            if (entry.toObject()["channel"].toInt() == channel) return entry.toObject();
        return {};
    }
    sim::Lgr87xDevice* device_ = nullptr;
    Codes Held(const sim::Lgr87xLogger& logger, uint8_t group) {
        auto lock = bench_.LockState();
        return logger.calibration.at(group).values;
    }
};

TEST_F(DirectUsbCli, Lgr870ChannelsReachTheirTabsAndInitialiseResetsOnlyItsPair) {
    auto& logger = Add(sim::Lgr87xModel::k870);
    bench_.UseTemporaryDeviceMap();

    // Channel 1 is illuminance: its first "after" is the page's fixed zero point.
    EXPECT_EQ(Trimbench({"adjust", "870", "--channel", "1", "--point", "2.4:1", "--yes"}).exit,
              static_cast<int>(ExitCode::RefusedInput));
    ASSERT_EQ(Trimbench({"adjust", "870", "--channel", "1", "--point", "2.4:0", "--yes"}).exit, 0);
    ASSERT_EQ(Trimbench({"adjust", "870", "--channel", "3", "--point", "25:25.5", "--yes"}).exit, 0);
    EXPECT_EQ(Held(logger, kIlluminanceUvGroup), (Codes{1000, -2400, 1000, 0}));
    EXPECT_EQ(Held(logger, kTemperatureHumidityGroup), (Codes{1000, 500, 1000, 0}));

    const CliRun read = Trimbench({"read", "870", "--json"});
    ASSERT_EQ(read.exit, 0) << read.err;
    const QJsonArray channels = read.Json()["channels"].toArray();
    ASSERT_EQ(channels.size(), 4);
    EXPECT_DOUBLE_EQ(channels[0].toObject()["offset"].toDouble(), -2.4);
    EXPECT_DOUBLE_EQ(channels[2].toObject()["offset"].toDouble(), 0.5);

    const CliRun history = Trimbench({"history", "870", "--json"});
    ASSERT_EQ(history.exit, 0) << history.err;
    const QJsonArray lists = history.Json()["lists"].toArray();
    ASSERT_EQ(lists.size(), 2);
    EXPECT_EQ(lists[0].toObject()["rows"].toArray().size(), 1);
    EXPECT_EQ(lists[1].toObject()["rows"].toArray().size(), 1);

    EXPECT_EQ(Trimbench({"initialise", "870", "--yes"}).exit, static_cast<int>(ExitCode::Usage));
    ASSERT_EQ(Trimbench({"initialise", "870", "--pair", "TH", "--yes"}).exit, 0);
    EXPECT_EQ(Held(logger, kTemperatureHumidityGroup), (Codes{1000, 0, 1000, 0}));
    EXPECT_EQ(Held(logger, kIlluminanceUvGroup), (Codes{1000, -2400, 1000, 0}));
}

TEST_F(DirectUsbCli, TheNamedLoggerMustBeAttachedAndAloneForItsPage) {
    Add(sim::Lgr87xModel::k875);
    bench_.UseTemporaryDeviceMap();
    EXPECT_EQ(Trimbench({"read", "875", "--serial", "87500001"}).exit, 0);
    EXPECT_EQ(Trimbench({"read", "875", "--serial", "87509999"}).exit,
              static_cast<int>(ExitCode::NoLogger));
    EXPECT_EQ(Trimbench({"read", "870"}).exit, static_cast<int>(ExitCode::NoLogger));
    EXPECT_EQ(Trimbench({"history", "820"}).exit, static_cast<int>(ExitCode::Usage));
}

// A plain file where the log folder belongs: no log line can be added.
void BlockTheLogFile() {
    services::EnsureDataFolders();
    std::ofstream(services::DataFolderPath() + "/log") << "in the way";
}

// The correction reached the logger and was read back: whatever was not
// saved after it, the command says it was written, and never invites a run
// that would apply it twice.
TEST_F(DirectUsbCli, AWriteReadBackIsReportedAsWrittenWhenItsHistoryIsNotSaved) {
    struct Case {
        const char* name;
        std::function<void(sim::Lgr87xLogger&)> arrange;
    };
    const std::vector<Case> cases = {
        {"log file unwritable", [](sim::Lgr87xLogger&) { BlockTheLogFile(); }},
        {"history record refused",
         [](sim::Lgr87xLogger& logger) {
             logger.ArmFault(sim::Lgr87xFault::kRefusal, -1, kSetHistoryCommand);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Bench bench({.pacing = false});
        auto& logger =
            bench.Emplace<sim::Lgr87xDevice>(sim::Lgr87xDefaults(sim::Lgr87xModel::k870)).Logger();
        bench.UseTemporaryDeviceMap();
        {
            auto lock = bench.LockState();
            c.arrange(logger);
        }
        const CliRun run =
            Trimbench({"adjust", "870", "--channel", "3", "--point", "20:20.5", "--yes", "--json"});
        const QJsonObject json = run.Json();
        EXPECT_EQ(run.exit, static_cast<int>(ExitCode::WrittenIncomplete)) << run.out;
        EXPECT_EQ(json["result"].toString(), "written-history-incomplete");
        EXPECT_TRUE(json["written"].toBool());
        EXPECT_EQ(json["loggerState"].toString(), "written");
        EXPECT_EQ(json["message"].toString().toStdString(),
                  cli::Text(cli::cli_text::WrittenHistoryIncomplete));
        EXPECT_DOUBLE_EQ(ChannelOf(json, 3)["offset"].toDouble(), 0.5);
        {
            auto lock = bench.LockState();
            EXPECT_EQ(logger.calibration.at(kTemperatureHumidityGroup).values,
                      (Codes{1000, 500, 1000, 0}));
        }
        // The text output says the same.
        {
            auto lock = bench.LockState();
            logger.ClearFaults();
            logger.ArmFault(sim::Lgr87xFault::kRefusal, -1, kSetHistoryCommand);
        }
        const CliRun text =
            Trimbench({"adjust", "870", "--channel", "3", "--point", "20:20.5", "--yes"});
        EXPECT_EQ(text.exit, static_cast<int>(ExitCode::WrittenIncomplete));
        EXPECT_NE(text.err.find(cli::Text(cli::cli_text::WrittenHistoryIncomplete)),
                  std::string::npos)
            << text.err;
        EXPECT_NE(text.out.find("Ch.3: "), std::string::npos) << text.out;
        std::filesystem::remove(services::DataFolderPath() + "/log");
    }
}

// A read-back that differs is a failure, and the logger now holds what was
// read back: the report says so.
TEST_F(DirectUsbCli, AFailedWriteThatChangedTheLoggerSaysWhatItHolds) {
    auto& logger = Add(sim::Lgr87xModel::k870);
    bench_.UseTemporaryDeviceMap();
    Arm(logger, sim::Lgr87xFault::kStoresAltered, 1);
    const CliRun run = Trimbench({"adjust", "870", "--channel", "3", "--point", "20:30", "--point",
                                  "30:45", "--yes", "--json"});
    const QJsonObject json = run.Json();
    EXPECT_EQ(run.exit, static_cast<int>(ExitCode::Communication)) << run.out;
    EXPECT_TRUE(json["written"].toBool());
    EXPECT_EQ(json["loggerState"].toString(), "written");
    EXPECT_EQ(json["message"].toString().toStdString(), cli::Text(cli::cli_text::LoggerNowHolds));
    EXPECT_DOUBLE_EQ(ChannelOf(json, 3)["slope"].toDouble(), 1.501);
    EXPECT_DOUBLE_EQ(json["composed"].toObject()["slope"].toDouble(), 1.5);
    EXPECT_EQ(Held(logger, kTemperatureHumidityGroup)[0], 1501);

    // A write the logger refuses leaves it as read: that is known too.
    Arm(logger, sim::Lgr87xFault::kRecording, 1, 0x5B);
    const CliRun refused =
        Trimbench({"adjust", "870", "--channel", "3", "--point", "20:21", "--yes", "--json"});
    EXPECT_EQ(refused.exit, static_cast<int>(ExitCode::Communication)) << refused.out;
    EXPECT_FALSE(refused.Json()["written"].toBool());
    EXPECT_EQ(refused.Json()["loggerState"].toString(), "unchanged");
    EXPECT_DOUBLE_EQ(ChannelOf(refused.Json(), 3)["slope"].toDouble(), 1.501);
}

// The logger is pulled out as it answers the write: the program cannot
// know what it holds, and says so.
TEST_F(DirectUsbCli, AWriteWhoseAnswerIsLostLeavesTheLoggerStateUnknown) {
    Add(sim::Lgr87xModel::k870);
    bench_.UseTemporaryDeviceMap();
    const int com = bench_.ComNumberOf(*device_);
    AnswerAfter answer([&] { ASSERT_TRUE(bench_.UnplugOnNextReply(com)); }, "y\n");
    std::istream in(&answer);
    const CliRun run =
        Trimbench({"adjust", "870", "--channel", "3", "--point", "20:21", "--json"}, in);
    const QJsonObject json = run.Json();
    EXPECT_EQ(run.exit, static_cast<int>(ExitCode::Communication)) << run.out;
    EXPECT_FALSE(json["written"].toBool());
    EXPECT_EQ(json["loggerState"].toString(), "unknown");
    EXPECT_EQ(json["message"].toString().toStdString(),
              cli::Text(cli::cli_text::LoggerStateUnknown));
    EXPECT_TRUE(json["channels"].toArray().isEmpty());
}

// Rows whose correction was written without its history are never failures
// to run again: the batch goes on, counts them and exits with their code.
TEST_F(DirectUsbCli, ABatchGoesOnPastWrittenRowsAndCountsThem) {
    auto& logger = Add(sim::Lgr87xModel::k870);
    bench_.UseTemporaryDeviceMap();
    BlockTheLogFile();
    const std::string csv = settings_.string() + ".csv";
    std::ofstream(csv) << "model,serial,channel,before1,after1\n"
                          "870,,3,20,20.5\n"
                          "870,,4,50,51\n";
    const CliRun run = Trimbench({"batch", csv, "--yes", "--jobs", "1"});
    EXPECT_EQ(run.exit, static_cast<int>(ExitCode::WrittenIncomplete)) << run.out << run.err;
    EXPECT_EQ(Held(logger, kTemperatureHumidityGroup), (Codes{1000, 500, 1000, 1000}));
    EXPECT_NE(run.out.find(cli::Text(cli::cli_text::SummaryWrittenIncomplete, {"2"})),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find(cli::Text(cli::cli_text::NotRun)), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tb::clitest
