// Every page family through a long seeded run of operations against its
// simulated logger, each operation checked against the composition rules.
// TB_SEQUENCE_SEED and TB_SEQUENCE_OPERATIONS replay or lengthen a run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/sequence/SequenceRun.h"

namespace {

using tb::sequence::Families;
using tb::sequence::RunSettings;

constexpr uint32_t kSeed = 20261209;
constexpr int kOperations = 500;
// The sanitizer run's length: every event is reached within it.
constexpr int kOperationsToReachAll = 150;

RunSettings SettingsFromEnvironment() {
    RunSettings settings;
    settings.seed = kSeed;
    settings.operations = kOperations;
    if (const char* seed = std::getenv("TB_SEQUENCE_SEED")) {
        settings.seed = static_cast<uint32_t>(std::strtoul(seed, nullptr, 10));
    }
    if (const char* count = std::getenv("TB_SEQUENCE_OPERATIONS")) {
        settings.operations = std::atoi(count);
    }
    return settings;
}

// The temperature unit is a setting in a file: a run of its own, so that
// runs side by side never change each other's unit.
class Sequence : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        home_ =
            std::filesystem::temp_directory_path() / ("tb-sequence-" + std::to_string(getpid()));
        std::filesystem::create_directories(home_);
        setenv("HOME", home_.c_str(), 1);
        setenv("TRIMBENCH_SETTINGS_FILE", (home_ / "settings.conf").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(home_); }

    std::filesystem::path home_;
};

TEST_P(Sequence, EveryOperationLeavesWhatTheRulesSay) {
    const auto& factory = Families().at(GetParam());
    const RunSettings settings = SettingsFromEnvironment();
    const auto result = tb::sequence::RunSeeded(factory, settings);
    std::string replay;
    if (!result.failure.empty()) {
        const auto names = factory()->FaultNames();
        for (const auto& op : result.failing)
            replay += "  " + tb::sequence::Describe(op, names) + "\n";
    }
    EXPECT_TRUE(result.failure.empty())
        << "seed " << settings.seed << ", family " << GetParam() << ": " << result.failure
        << "\nshortest failing sequence (" << result.failing.size() << " operations):\n"
        << replay;
    EXPECT_EQ(result.operationsRun,
              result.failure.empty() ? settings.operations : result.operationsRun);
    // A run that never met a refused write, a damaged record or a held lock
    // has not tested the page against them. The generator takes its events
    // in turn, so a short run reaches them all.
    if (result.failure.empty() && settings.operations >= kOperationsToReachAll) {
        std::string missing;
        for (const std::string& name : tb::sequence::Unreached(*factory(), result)) {
            missing += "\n  " + name;
        }
        EXPECT_TRUE(missing.empty())
            << "seed " << settings.seed << ", family " << GetParam() << ", " << settings.operations
            << " operations never reached:" << missing;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, Sequence,
                         ::testing::Values("820", "830", "835", "850-tc", "850-pt", "850-ma",
                                           "850-v", "850-noise", "890", "870", "875"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (c == '-') c = '_';
                             }
                             return "Lgr" + name;
                         });

}  // namespace
