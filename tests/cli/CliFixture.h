// trimbench run in-process against simulated devices on pseudo-terminals:
// its output and error streams captured, its questions answered from a
// string, the settings in a temporary file.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Trimbench.h"
#include "services/Settings.h"
#include "sim/baseunit/BaseUnit.h"
#include "sim/core/Bench.h"
#include "sim/loggers/Lgr890CableDevice.h"
#include "sim/loggers/SimulatedLogger.h"

namespace tb::clitest {

using sim::loggers::Block64;

inline Block64 BlockHolding(uint16_t slopeCode, int16_t offsetCode) {
    Block64 block{};
    block[0] = static_cast<uint8_t>(slopeCode & 0xFF);
    block[1] = static_cast<uint8_t>(slopeCode >> 8);
    block[2] = static_cast<uint8_t>(static_cast<uint16_t>(offsetCode) & 0xFF);
    block[3] = static_cast<uint8_t>(static_cast<uint16_t>(offsetCode) >> 8);
    return block;
}

inline std::pair<int, int> CodesOf(const Block64& block) {
    return {block[0] | (block[1] << 8), static_cast<int16_t>(block[2] | (block[3] << 8))};
}

struct CliRun {
    int exit = -1;
    std::string out;
    std::string err;
    QJsonObject Json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
};

// An answer that does something first, when the question reads it.
class AnswerAfter : public std::streambuf {
  public:
    AnswerAfter(std::function<void()> action, std::string answer)
        : action_(std::move(action)), answer_(std::move(answer)) {}

  protected:
    int_type underflow() override {
        if (gptr() != nullptr) return traits_type::eof();
        action_();
        setg(answer_.data(), answer_.data(), answer_.data() + answer_.size());
        return traits_type::to_int_type(*gptr());
    }

  private:
    std::function<void()> action_;
    std::string answer_;
};

class CliTest : public ::testing::Test {
  protected:
    // A home of its own: the direct-USB pages write the history log file
    // into the documents folder.
    void SetUp() override {
        home_ = std::filesystem::temp_directory_path() / ("tb-cli-" + std::to_string(getpid()));
        std::filesystem::create_directories(home_);
        setenv("HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ / ".config").c_str(), 1);
        settings_ = home_ / "settings.ini";
        setenv("TRIMBENCH_SETTINGS_FILE", settings_.c_str(), 1);
        services::WriteTempUnit(0);
    }
    void TearDown() override {
        services::OverrideTempUnit(std::nullopt);
        std::filesystem::remove_all(home_);
    }

    // An 820-family logger (device code 0x5C) behind a base unit.
    std::shared_ptr<sim::loggers::SimulatedLogger> AddUnit(uint32_t serial, uint8_t code = 0x5C) {
        auto logger = std::make_shared<sim::loggers::SimulatedLogger>(
            *sim::loggers::ModelForDeviceCode(code));
        bench_.Emplace<sim::BaseUnit>(sim::BaseUnitConfig{.serial = serial}, logger);
        return logger;
    }

    void Hold(sim::loggers::SimulatedLogger& logger, uint16_t slope, int16_t offset) {
        auto lock = bench_.LockState();
        logger.SetAdjustment(BlockHolding(slope, offset));
    }
    std::pair<int, int> Held(const sim::loggers::SimulatedLogger& logger) {
        auto lock = bench_.LockState();
        return CodesOf(logger.Adjustment());
    }
    int Writes(const sim::loggers::SimulatedLogger& logger) {
        auto lock = bench_.LockState();
        return logger.AdjustmentWrites();
    }

    CliRun Trimbench(std::vector<std::string> args, const std::string& answers = "") {
        std::istringstream in(answers);
        return Trimbench(std::move(args), in);
    }
    // Answers the questions from `in`: a stream can act when it is read,
    // between the page's reads and its write.
    CliRun Trimbench(std::vector<std::string> args, std::istream& in) {
        QStringList arguments{"trimbench"};
        for (const auto& arg : args) arguments << QString::fromStdString(arg);
        std::ostringstream out, err;
        cli::Terminal terminal{out, err, in, false};
        CliRun run;
        run.exit = cli::RunTrimbench(arguments, terminal);
        run.out = out.str();
        run.err = err.str();
        services::OverrideTempUnit(std::nullopt);
        return run;
    }

    std::filesystem::path home_;
    std::filesystem::path settings_;
    sim::Bench bench_{{.pacing = false}};
};

}  // namespace tb::clitest
