// The window and the command line give identical results for identical
// input: each case runs once through the page as the window drives it and
// once through trimbench, from the logger's factory state, and the logger
// must end up holding exactly the same (or be refused the same way).
#include <algorithm>

#include "tests/support/ScriptedMessageBoxes.h"
#include "pages/BaseUnitPage.h"
#include "pages/ClientBaseUnitLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "pages/PageLgr850.h"
#include "pages/TempHumidityPage.h"
#include "resources/dialogs/MultiInputIds.h"
#include "tests/cli/CliFixture.h"

namespace tb::clitest {
namespace {

struct Case {
    const char* model;      // as trimbench takes it
    const char* simLogger;  // as trimbench-sim takes it
    int channel;
    const char* inputKind;  // 850 only: trimbench's name
    int unit;               // 0: degrees C, 1: degrees F
    std::vector<std::pair<std::string, std::string>> points;
    bool writes;  // false where the page refuses the entry
};

const std::vector<Case> kCases = {
    {"820", "820", 1, nullptr, 0, {{"25.0", "25.3"}}, true},
    {"821", "821", 1, nullptr, 0, {{"0", "30.25"}}, false},  // beyond +-30
    {"820", "820", 1, nullptr, 1, {{"77.0", "78.8"}}, true},  // degrees F
    {"820", "820", 1, nullptr, 0, {{"0", "0.1"}, {"10", "10.08"}}, true},
    {"830", "830", 2, nullptr, 1, {{"50", "52"}}, true},  // humidity: no degree-F form
    {"835", "835", 1, nullptr, 1, {{"32", "33"}, {"212", "214"}}, true},
    {"850", "850-tc", 1, "tc", 0, {{"100", "100.4"}}, true},
    {"850", "850-v", 1, "v", 0, {{"1", "4.5"}}, false},  // beyond +-3.0
    {"850", "850-noise", 1, "noise", 0, {{"40", "41.5"}}, true},
};

std::unique_ptr<pages::CBaseUnitPage> PageFor(const std::string& model) {
    if (model == "830") return std::make_unique<pages::CPageLgr830>(pages::MakeLgr830Logger());
    if (model == "835") return std::make_unique<pages::CPageLgr835>(pages::MakeLgr835Logger());
    if (model == "850") return std::make_unique<pages::CPageLgr850>(pages::MakeMultiInputLogger);
    return std::make_unique<pages::CPageLgr820>(pages::MakeBaseUnitLogger());
}

int KindIndex(const char* name) {
    const std::vector<std::string> names{"tc", "pt", "ma", "v", "noise"};
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

class SharedLogic : public CliTest {
  protected:
    // A bench of its own for each case: one base unit with the case's logger.
    std::shared_ptr<sim::loggers::SimulatedLogger> AddLogger(const char* name) {
        caseBench_ = std::make_unique<sim::Bench>(sim::BenchOptions{.pacing = false});
        auto logger =
            std::make_shared<sim::loggers::SimulatedLogger>(*sim::loggers::ModelForName(name));
        caseBench_->Emplace<sim::BaseUnit>(sim::BaseUnitConfig{.serial = 0x00A1B2C3}, logger);
        caseBench_->UseTemporaryDeviceMap();
        return logger;
    }

    std::string State(sim::loggers::SimulatedLogger& logger) {
        auto lock = caseBench_->LockState();
        return logger.DumpState();
    }
    void Reset(sim::loggers::SimulatedLogger& logger) {
        auto lock = caseBench_->LockState();
        logger.Reset();
    }

    std::unique_ptr<sim::Bench> caseBench_;

    // The page as the window drives it: choose the input, tick, choose,
    // type, send, answer Yes.
    std::string ThroughThePage(sim::loggers::SimulatedLogger& logger, const Case& c) {
        Reset(logger);
        services::WriteTempUnit(c.unit);
        pages::MemoryDialogView view;
        services::ScriptedMessageBoxes boxes;
        boxes.SetDefaultAnswer(services::MsgAnswer::Yes);
        auto page = PageFor(c.model);
        page->AttachView(view);
        page->OnInitDialog();
        page->OnSetActive();
        if (c.inputKind) {
            view.SetRadioIndex(resources::multi_input::kThermocouple, KindIndex(c.inputKind));
            page->OnCommand(resources::multi_input::kThermocouple + KindIndex(c.inputKind));
        }
        const pages::ChannelIds& ids = page->Channel(static_cast<std::size_t>(c.channel - 1)).Ids();
        const bool twoPoint = c.points.size() == 2;
        view.SetCheck(ids.adjust, true);
        page->OnCommand(ids.adjust);
        view.SetRadioIndex(ids.onePoint, twoPoint ? 1 : 0);
        page->OnCommand(twoPoint ? ids.twoPoint : ids.onePoint);
        view.SetText(ids.before1, c.points[0].first);
        view.SetText(ids.after1, c.points[0].second);
        if (twoPoint) {
            view.SetText(ids.before2, c.points[1].first);
            view.SetText(ids.after2, c.points[1].second);
        }
        page->OnCommand(resources::multi_input::kSend);
        services::WriteTempUnit(0);
        return State(logger);
    }

    std::string ThroughTheCommandLine(sim::loggers::SimulatedLogger& logger, const Case& c) {
        Reset(logger);
        std::vector<std::string> args{"adjust", c.model, "--yes", "--channel",
                                      std::to_string(c.channel), "--unit", c.unit ? "F" : "C"};
        if (c.inputKind) args.insert(args.end(), {"--input-kind", c.inputKind});
        for (const auto& [before, after] : c.points) args.insert(args.end(), {"--point", before + ":" + after});
        const CliRun run = Trimbench(args);
        EXPECT_EQ(run.exit == 0, c.writes) << run.err;
        return State(logger);
    }
};

TEST_F(SharedLogic, TheSameInputsLeaveTheSameStateInTheLoggerThroughWindowAndCommandLine) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.points[0].first + ":" + c.points[0].second);
        auto logger = AddLogger(c.simLogger);
        const std::string factory = State(*logger);
        const std::string page = ThroughThePage(*logger, c);
        const std::string command = ThroughTheCommandLine(*logger, c);
        EXPECT_EQ(page, command);
        EXPECT_EQ(page != factory, c.writes) << page;
    }
}

}  // namespace
}  // namespace tb::clitest
