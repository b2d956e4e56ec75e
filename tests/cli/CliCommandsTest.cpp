// Every subcommand in-process against simulated base units, the model-890
// cable and direct-USB loggers. The figures are those of the page tests:
// the command line must leave the logger holding what the window would.
#include <QJsonArray>
#include <algorithm>

#include "cli/ExitCode.h"
#include "services/PageServices.h"
#include "sim/lan/LanUnitWithLogger.h"
#include "sim/lgr87x/Lgr87xDevice.h"
#include "tests/cli/CliFixture.h"

namespace tb::clitest {
namespace {

using cli::ExitCode;

constexpr int Code(ExitCode code) { return static_cast<int>(code); }

TEST_F(CliTest, AdjustWritesTheComposedCorrectionAndReportsItAsJson) {
    auto logger = AddUnit(0x00A1B2C3);
    Hold(*logger, 1000, 400);  // 1.000, +0.400
    bench_.UseTemporaryDeviceMap();

    const CliRun run = Trimbench({"adjust", "821", "--channel", "1", "--point", "25.0:25.3", "--yes", "--json"});
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_EQ(Held(*logger), std::make_pair(1000, 700));
    const QJsonObject json = run.Json();
    EXPECT_EQ(json["result"].toString(), "done");
    EXPECT_EQ(json["logger"].toString(), "00A1B2C3");
    EXPECT_TRUE(json["written"].toBool());
    EXPECT_DOUBLE_EQ(json["composed"].toObject()["offset"].toDouble(), 0.7);
    const QJsonObject channel = json["channels"].toArray().at(0).toObject();
    EXPECT_EQ(channel["line"].toString().toStdString(), "現在の設定：y = 1.000x +0.700");
    EXPECT_EQ(json["messages"].toArray().last().toObject()["id"].toInt(), 1050);
}

TEST_F(CliTest, DryRunPrintsTheComposedCorrectionAndWritesNothing) {
    auto logger = AddUnit(0x00A1B2C3);
    Hold(*logger, 1002, -350);
    bench_.UseTemporaryDeviceMap();

    const CliRun run = Trimbench({"adjust", "820", "--point", "0:0.1", "--point", "10:10.08", "--dry-run"});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_NE(run.out.find("(y = "), std::string::npos) << run.out;
    EXPECT_EQ(Writes(*logger), 0);
    EXPECT_EQ(Held(*logger), std::make_pair(1002, -350));
}

TEST_F(CliTest, LimitRefusalExitsWithItsCodeAndThePageMessage) {
    auto logger = AddUnit(0x00A1B2C3);
    Hold(*logger, 1000, 29500);  // +29.5: 0 -> 0.75 would carry 30.25
    bench_.UseTemporaryDeviceMap();

    const CliRun refused = Trimbench({"adjust", "820", "--point", "0:0.75", "--yes"});
    EXPECT_EQ(refused.exit, Code(ExitCode::Limit));
    EXPECT_NE(refused.err.find(services::LoadResString(1054)), std::string::npos) << refused.err;
    EXPECT_EQ(Writes(*logger), 0);

    const CliRun dryRun = Trimbench({"adjust", "820", "--point", "0:0.75", "--dry-run", "--json"});
    EXPECT_EQ(dryRun.exit, Code(ExitCode::Limit));
    EXPECT_EQ(dryRun.Json()["result"].toString(), "limit");
    EXPECT_TRUE(dryRun.Json()["composed"].isNull());

    // Exactly on the limit passes.
    EXPECT_EQ(Trimbench({"adjust", "820", "--point", "0:0.5", "--yes"}).exit, 0);
    EXPECT_EQ(Held(*logger), std::make_pair(1000, 30000));
}

TEST_F(CliTest, RefusedInputAndUnansweredQuestionsWriteNothing) {
    auto logger = AddUnit(0x00A1B2C3);
    bench_.UseTemporaryDeviceMap();
    struct Case {
        std::vector<std::string> args;
        std::string answers;
        ExitCode code;
    };
    const std::vector<Case> cases = {
        {{"adjust", "820", "--point", "1 2:3", "--yes"}, "", ExitCode::RefusedInput},
        {{"adjust", "820", "--point", "1234567:1", "--yes"}, "", ExitCode::RefusedInput},
        {{"adjust", "820", "--point", "5:5", "--point", "5:6", "--yes"}, "", ExitCode::RefusedInput},
        {{"adjust", "820", "--point", "20:20.1"}, "n\n", ExitCode::Declined},
        {{"adjust", "820", "--point", "20:20.1"}, "", ExitCode::Declined},
        {{"initialise", "820"}, "no\n", ExitCode::Declined},
        {{"initialise", "820", "--dry-run"}, "", ExitCode::Done},
        {{"adjust", "820", "--channel", "2", "--point", "1:2"}, "", ExitCode::Usage},
        {{"adjust", "820", "--point", "1"}, "", ExitCode::Usage},
        {{"adjust", "820", "--point", "1:2", "--yes", "--dry-run"}, "", ExitCode::Usage},
        {{"adjust", "820", "--point", "1:2", "--unit", "K"}, "", ExitCode::Usage},
        {{"adjust", "999", "--point", "1:2"}, "", ExitCode::Usage},
        {{"read", "890", "--serial", "00A1B2C3"}, "", ExitCode::Usage},
        {{"frobnicate"}, "", ExitCode::Usage},
    };
    for (const Case& c : cases) {
        const CliRun run = Trimbench(c.args, c.answers);
        std::string command;
        for (const auto& arg : c.args) command += arg + " ";
        EXPECT_EQ(run.exit, Code(c.code)) << command << "\n" << run.err;
    }
    EXPECT_EQ(Writes(*logger), 0);
}

TEST_F(CliTest, AnsweringYesOnTheTerminalWritesAndShowsTheWindowsQuestion) {
    auto logger = AddUnit(0x00A1B2C3);
    bench_.UseTemporaryDeviceMap();
    const CliRun run = Trimbench({"adjust", "820", "--point", "20:20.1"}, "y\n");
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_NE(run.err.find("CH:1 (y = 1.000x +0.100)\nという補正式になります。"), std::string::npos)
        << run.err;
    EXPECT_EQ(Held(*logger), std::make_pair(1000, 100));
}

TEST_F(CliTest, ChoosesTheLoggerBySerialAndRefusesToGuess) {
    auto first = AddUnit(0x00820001);
    auto second = AddUnit(0x00820002);
    AddUnit(0x00830001, 0x5E);  // a model-830 logger is no 820
    bench_.UseTemporaryDeviceMap();

    const CliRun guessed = Trimbench({"adjust", "820", "--point", "20:21", "--yes"});
    EXPECT_EQ(guessed.exit, Code(ExitCode::Usage));
    EXPECT_NE(guessed.err.find("00820001"), std::string::npos) << guessed.err;

    EXPECT_EQ(Trimbench({"adjust", "820", "--serial", "00820002", "--point", "20:21", "--yes"}).exit, 0);
    EXPECT_EQ(Held(*second), std::make_pair(1000, 1000));
    EXPECT_EQ(Writes(*first), 0);

    EXPECT_EQ(Trimbench({"read", "820", "--serial", "00999999"}).exit, Code(ExitCode::NoLogger));
    EXPECT_EQ(Trimbench({"read", "820", "--serial", "00830001"}).exit, Code(ExitCode::NoLogger));
    EXPECT_EQ(Trimbench({"read", "890"}).exit, Code(ExitCode::NoLogger));
}

TEST_F(CliTest, CommunicationFailureIsNotReportedAsAMissingLogger) {
    auto logger = AddUnit(0x00A1B2C3);
    bench_.UseTemporaryDeviceMap();
    {
        auto lock = bench_.LockState();
        logger->Faults().readBackDiffers = -1;
    }
    const auto before = Held(*logger);
    const CliRun run = Trimbench({"adjust", "820", "--point", "20:21", "--yes", "--json"});
    EXPECT_EQ(run.exit, Code(ExitCode::Communication)) << run.err;
    // Written says whether the logger's correction changed, as it was read back.
    EXPECT_EQ(run.Json()["written"].toBool(), Held(*logger) != before) << run.out;
}

// Once the logger was found and read, it going silent during the write is a
// communication failure, not a missing logger.
TEST_F(CliTest, ALoggerLostAfterItWasReadIsACommunicationFailure) {
    auto logger =
        std::make_shared<sim::loggers::SimulatedLogger>(*sim::loggers::ModelForDeviceCode(0x5C));
    auto& unit = bench_.Emplace<sim::BaseUnit>(sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger);
    bench_.UseTemporaryDeviceMap();
    const int com = bench_.ComNumberOf(unit);
    AnswerAfter answer([&] { ASSERT_TRUE(bench_.UnplugOnNextReply(com)); }, "y\n");
    std::istream in(&answer);
    const CliRun run = Trimbench({"adjust", "820", "--point", "25:25.3", "--json"}, in);
    EXPECT_EQ(run.exit, Code(ExitCode::Communication)) << run.out << run.err;
    // The page said the logger was not connected, after the question, and
    // what it holds cannot be told.
    const QJsonArray messages = run.Json()["messages"].toArray();
    ASSERT_GE(messages.size(), 2) << run.out;
    EXPECT_EQ(messages.first().toObject()["answer"].toString(), "yes");
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const QJsonValue& message) {
        return message.toObject()["id"].toInt() == 1048;
    })) << run.out;
    EXPECT_EQ(run.Json()["loggerState"].toString(), "unknown") << run.out;
}

TEST_F(CliTest, ReadShowsEveryChannelInTheUnitAsked) {
    auto logger = AddUnit(0x00A1B2C3);
    Hold(*logger, 1000, 250);
    auto& cable = bench_.Emplace<sim::loggers::Lgr890CableDevice>();
    {
        auto lock = bench_.LockState();
        cable.SetAdjustment(BlockHolding(1002, -350));
    }
    bench_.UseTemporaryDeviceMap();

    const CliRun fahrenheit = Trimbench({"read", "820", "--unit", "F"});
    EXPECT_EQ(fahrenheit.exit, 0) << fahrenheit.err;
    EXPECT_NE(fahrenheit.out.find("Ch.1: 現在の設定：y = 1.000x +0.450"), std::string::npos)
        << fahrenheit.out;
    EXPECT_EQ(services::ReadTempUnit(), 0);  // the stored setting is untouched

    const CliRun cableRead = Trimbench({"read", "890", "--json"});
    ASSERT_EQ(cableRead.exit, 0) << cableRead.err;
    const QJsonObject channel = cableRead.Json()["channels"].toArray().at(0).toObject();
    EXPECT_DOUBLE_EQ(channel["slope"].toDouble(), 1.002);
    EXPECT_DOUBLE_EQ(channel["offset"].toDouble(), -0.35);
    EXPECT_EQ(cableRead.Json()["logger"].toString().toStdString(),
              "COM" + std::to_string(bench_.ComNumberOf(cable)));
}

TEST_F(CliTest, InitialiseRestoresTheFactoryState) {
    auto& cable = bench_.Emplace<sim::loggers::Lgr890CableDevice>();
    {
        auto lock = bench_.LockState();
        cable.SetAdjustment(BlockHolding(1002, -350));
    }
    bench_.UseTemporaryDeviceMap();
    const CliRun run = Trimbench({"initialise", "890", "--yes", "--json"});
    EXPECT_EQ(run.exit, 0) << run.err;
    EXPECT_TRUE(run.Json()["written"].toBool());
    auto lock = bench_.LockState();
    EXPECT_EQ(CodesOf(cable.Adjustment()), std::make_pair(1000, 0));
}

TEST_F(CliTest, ListShowsBaseUnitsTheCableAndDirectUsbLoggers) {
    AddUnit(0x00A1B2C3);
    auto& cable = bench_.Emplace<sim::loggers::Lgr890CableDevice>();
    auto& lgr870 = bench_.Emplace<sim::Lgr87xDevice>(sim::Lgr87xDefaults(sim::Lgr87xModel::k870));
    bench_.UseTemporaryDeviceMap();

    const CliRun run = Trimbench({"list", "--json"});
    ASSERT_EQ(run.exit, 0) << run.err;
    const QJsonArray loggers = run.Json()["loggers"].toArray();
    ASSERT_EQ(loggers.size(), 3) << run.out;
    EXPECT_EQ(loggers[0].toObject()["model"].toString(), "820/821");
    EXPECT_EQ(loggers[0].toObject()["serial"].toString(), "00A1B2C3");
    EXPECT_EQ(loggers[1].toObject()["model"].toString(), "890");
    EXPECT_EQ(loggers[1].toObject()["com"].toInt(), bench_.ComNumberOf(cable));
    EXPECT_EQ(loggers[2].toObject()["model"].toString(), "870");
    EXPECT_EQ(loggers[2].toObject()["com"].toInt(), bench_.ComNumberOf(lgr870));
    EXPECT_EQ(loggers[2].toObject()["serial"].toString(), "87000001");

    const CliRun table = Trimbench({"list"});
    EXPECT_NE(table.out.find("00A1B2C3"), std::string::npos) << table.out;
}

TEST_F(CliTest, ListReachesABaseUnitOnTheLanAndReportsARefusedLogin) {
    bench_.UseTemporaryDeviceMap();
    auto lan = sim::lan::MakeLanUnitWithLogger({.loggerModel = "835", .login = "line7"});
    const std::string address = "127.0.0.1:" + std::to_string(lan.unit->Port());

    const CliRun run = Trimbench({"list", "--lan", address, "--login", "line7", "--json"});
    ASSERT_EQ(run.exit, 0) << run.err;
    const QJsonArray loggers = run.Json()["loggers"].toArray();
    ASSERT_EQ(loggers.size(), 1);
    EXPECT_EQ(loggers[0].toObject()["model"].toString(), "835");
    EXPECT_EQ(loggers[0].toObject()["via"].toString(), "lan");

    EXPECT_EQ(Trimbench({"list", "--lan", address, "--login", "wrong"}).exit,
              Code(ExitCode::Communication));
    EXPECT_EQ(Trimbench({"list", "--lan", address}).exit, Code(ExitCode::Usage));
    EXPECT_EQ(Trimbench({"list", "--lan", "nohost", "--login", "x"}).exit, Code(ExitCode::Usage));
}

TEST_F(CliTest, EverySubcommandHasHelp) {
    for (const char* command :
         {"list", "read", "adjust", "initialise", "batch", "history", "journal", "certificate"}) {
        const CliRun run = Trimbench({command, "--help"});
        EXPECT_EQ(run.exit, 0) << command;
        EXPECT_NE(run.out.find("--json"), std::string::npos) << command;
        // The usage line names what the user types, not the program's path.
        EXPECT_EQ(run.out.rfind("Usage: trimbench " + std::string(command) + " [options]", 0), 0u) << run.out;
    }
    EXPECT_EQ(Trimbench({"--help"}).exit, 0);
}

// read takes the input kind the named unit reports; adjust, where the kind
// decides the units of the typed readings, is told it or finds it the same way.
TEST_F(CliTest, ReadOfAMultiInputLoggerTakesTheKindTheUnitReports) {
    AddUnit(0x00850001, 0xA4);  // voltage input
    AddUnit(0x00850002, 0xA1);  // thermocouple input
    bench_.UseTemporaryDeviceMap();
    for (const char* serial : {"00850001", "00850002"}) {
        const CliRun read = Trimbench({"read", "850", "--serial", serial, "--json"});
        EXPECT_EQ(read.exit, 0) << serial << read.out << read.err;
        EXPECT_EQ(read.Json()["channels"].toArray().size(), 1) << serial;
    }
    EXPECT_EQ(Trimbench({"read", "850", "--serial", "00850001", "--input-kind", "tc"}).exit,
              static_cast<int>(ExitCode::NoLogger));
}

}  // namespace
}  // namespace tb::clitest
