// Every simulated logger behind a base unit, driven the way its page drives
// it: check, write with verification, read back, reset to the factory state.
#include <array>
#include <cstdio>
#include <string>

#include "client/BaseUnitDiscovery.h"
#include "client/CorrectionOperations.h"
#include "tests/client/ClientFixture.h"

namespace tb::client {
namespace {

struct PageUse {
    uint8_t deviceCode;
    bool noiseInput;
    bool multiInput;
    int checkKind;  // the kind the page checks with
    int writeKind;
    int mode;
    int readKind;
    uint16_t slopeScale;
    uint16_t offsetScale;
};

const PageUse kPages[] = {
    {0x40, false, false, 0, 0, 0, 0, 1000, 1000}, {0x41, false, false, 0, 0, 0, 0, 1000, 1000},
    {0x5C, false, false, 0, 0, 0, 0, 1000, 1000}, {0x5D, false, false, 0, 0, 0, 0, 1000, 1000},
    {0x5E, false, false, 1, 1, 1, 1, 1000, 1000}, {0x42, false, false, 1, 1, 1, 1, 1000, 1000},
    {0x55, false, false, 3, 3, 3, 3, 1000, 1000}, {0xA1, false, true, 0, 5, 5, 0, 16384, 10},
    {0xA2, false, true, 1, 5, 5, 0, 16384, 10},   {0xA3, false, true, 2, 2, 2, 0, 16384, 1000},
    {0xA4, false, true, 3, 2, 2, 0, 4096, 10000},
};

class EveryLogger : public test::ClientFixture, public ::testing::WithParamInterface<PageUse> {};

TEST_P(EveryLogger, WriteVerifyReadAndReset) {
    const PageUse& page = GetParam();
    auto& logger = link_.AddUnit(0x5150, Product(1), 0, Model(page.deviceCode, page.noiseInput));
    const bool accepted =
        page.multiInput ? CheckMultiInputModel(page.checkKind) : CheckBaseUnitModel(page.checkKind);
    ASSERT_TRUE(accepted);

    const std::array<double, 2> slopes{1.25, 0.75}, offsets{-1.5, 2.5};
    ASSERT_TRUE(SendCorrection(page.writeKind, slopes, offsets, page.slopeScale, page.offsetScale,
                               page.mode));
    std::array<double, 2> readSlopes{}, readOffsets{};
    ASSERT_TRUE(
        ReadCorrection(page.readKind, readSlopes, readOffsets, page.slopeScale, page.offsetScale));
    const int channels = logger.Model().channels;
    for (int i = 0; i < channels; ++i) {
        EXPECT_NEAR(readSlopes[i], slopes[i], 1.0 / page.slopeScale);
        EXPECT_NEAR(readOffsets[i], offsets[i], 1.0 / page.offsetScale);
    }

    const std::array<double, 2> identitySlopes{1.0, 1.0}, zeros{0.0, 0.0};
    ASSERT_TRUE(SendCorrection(page.writeKind, identitySlopes, zeros, page.slopeScale,
                               page.offsetScale, page.mode));
    sim::loggers::SimulatedLogger factory(logger.Model());
    if (page.slopeScale == factory.Model().factorySlopeCode) {
        EXPECT_EQ(logger.Adjustment(), factory.Adjustment());
    }
    EXPECT_EQ(Messages(), (std::vector<std::string>{Text(1050), Text(1050)}));
    EXPECT_EQ(link_.OpenLinks(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, EveryLogger, ::testing::ValuesIn(kPages),
                         [](const ::testing::TestParamInfo<PageUse>& info) {
                             char name[16];
                             std::snprintf(name, sizeof name, "DeviceCode%02X",
                                           info.param.deviceCode);
                             return std::string(name);
                         });

TEST_F(EveryLogger, NoiseInputThroughThePassThrough) {
    link_.AddUnit(0x5150, Product(1), 0, Model(0xA4, true));
    ASSERT_TRUE(CheckMultiInputModel(4));
    ASSERT_TRUE(SendPassThroughCorrection(1.1, 12.3, 1000, 10));
    double slope = 0, offset = 0;
    ASSERT_TRUE(ReadPassThroughCorrection(slope, offset, 1000, 10));
    EXPECT_DOUBLE_EQ(slope, 1.1);
    EXPECT_DOUBLE_EQ(offset, 12.3);
    ASSERT_TRUE(SendPassThroughCorrection(1.0, 0.0, 1000, 10));
    ASSERT_TRUE(ReadPassThroughCorrection(slope, offset, 1000, 10));
    EXPECT_EQ(slope, 1.0);
    EXPECT_EQ(offset, 0.0);
}

}  // namespace
}  // namespace tb::client
