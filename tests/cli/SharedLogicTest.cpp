// The window and the command line give identical results for identical
// input: each case runs once through the page as the window drives it and
// once through trimbench, from the same starting correction, and the
// logger must end up holding the same codes (or be refused the same way).
#include "app/ScriptedMessageBoxes.h"
#include "pages/ClientOneChannelLogger.h"
#include "pages/MemoryDialogView.h"
#include "pages/PageLgr820.h"
#include "tests/cli/CliFixture.h"

namespace tb::clitest {
namespace {

using namespace pages::one_channel;

struct Case {
    uint16_t slope;
    int16_t offset;
    int unit;  // 0: degrees C, 1: degrees F
    std::vector<std::pair<std::string, std::string>> points;
};

const std::vector<Case> kCases = {
    {1000, 400, 0, {{"25.0", "25.3"}}},
    {1000, 29500, 0, {{"0", "0.75"}}},          // refused: 30.25
    {1000, 29500, 0, {{"0", "0.5"}}},           // exactly 30.0
    {1000, 0, 1, {{"77.0", "78.8"}}},           // degrees F
    {1002, -350, 0, {{"0", "0.1"}, {"10", "10.08"}}},
    {500, 0, 0, {{"0", "0"}, {"10", "40"}}},    // product slope 2.0
    {1000, 0, 0, {{"0", "0"}, {"10", "25"}}},   // product slope 2.5: refused
    {1000, 0, 0, {{"5", "1"}, {"5", "2"}}},     // x1 = x2
    {1000, 0, 1, {{"32", "33"}, {"212", "214"}}},
    {998, 1250, 0, {{"-.5", "+.5"}}},
};

class SharedLogic : public CliTest {
  protected:
    // The page as the window drives it: tick, choose, type, send, answer Yes.
    std::pair<int, int> ThroughThePage(sim::loggers::SimulatedLogger& logger, const Case& c) {
        Hold(logger, c.slope, c.offset);
        app::WriteTempUnit(c.unit);
        pages::MemoryDialogView view;
        app::ScriptedMessageBoxes boxes;
        boxes.SetDefaultAnswer(app::MsgAnswer::Yes);
        pages::CPageLgr820 page(pages::MakeBaseUnitLogger());
        page.AttachView(view);
        page.OnInitDialog();
        page.OnSetActive();
        view.SetCheck(kAdjustChannel, true);
        page.OnCommand(kAdjustChannel);
        view.SetRadioIndex(kOnePoint, c.points.size() == 2 ? 1 : 0);
        page.OnCommand(kOnePoint);
        view.SetText(kBefore1, c.points[0].first);
        view.SetText(kAfter1, c.points[0].second);
        if (c.points.size() == 2) {
            view.SetText(kBefore2, c.points[1].first);
            view.SetText(kAfter2, c.points[1].second);
        }
        page.OnCommand(kSend);
        app::WriteTempUnit(0);
        return Held(logger);
    }

    std::pair<int, int> ThroughTheCommandLine(sim::loggers::SimulatedLogger& logger, const Case& c) {
        Hold(logger, c.slope, c.offset);
        std::vector<std::string> args{"adjust", "820", "--yes", "--unit", c.unit ? "F" : "C"};
        for (const auto& [before, after] : c.points) args.insert(args.end(), {"--point", before + ":" + after});
        Trimbench(args);
        return Held(logger);
    }
};

TEST_F(SharedLogic, TheSameInputsGiveTheSameCodesInTheWindowAndOnTheCommandLine) {
    auto logger = AddUnit(0x00A1B2C3);
    bench_.UseTemporaryDeviceMap();
    for (const Case& c : kCases) {
        const auto page = ThroughThePage(*logger, c);
        const auto command = ThroughTheCommandLine(*logger, c);
        EXPECT_EQ(page, command) << c.points[0].first << ":" << c.points[0].second;
    }
    // The table is not all refusals: most cases wrote something.
    Hold(*logger, 1000, 400);
    EXPECT_EQ(ThroughTheCommandLine(*logger, kCases[0]), std::make_pair(1000, 700));
}

}  // namespace
}  // namespace tb::clitest
