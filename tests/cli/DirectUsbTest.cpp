// The direct-USB pages (870, 875) from the command line: channels by
// number on the page's two tabs, initialise by pair, the history lists.
#include <QJsonArray>

#include "cli/ExitCode.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "tests/cli/CliFixture.h"

namespace tb::clitest {
namespace {

using cli::ExitCode;
using Codes = std::array<int16_t, 4>;

constexpr uint8_t kIlluminanceUvGroup = 2;
constexpr uint8_t kTemperatureHumidityGroup = 1;

class DirectUsbCli : public CliTest {
  protected:
    sim::Lgr87xLogger& Add(sim::Lgr87xModel model) {
        return bench_.Emplace<sim::Lgr87xDevice>(sim::Lgr87xDefaults(model)).Logger();
    }
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

}  // namespace
}  // namespace tb::clitest
