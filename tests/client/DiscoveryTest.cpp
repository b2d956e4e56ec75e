// Finding the base unit, checking the logger behind it, the cable's port
// and the reserved COM numbers.
#include <array>

#include "client/BaseUnitDiscovery.h"
#include "client/ReservedComPorts.h"
#include "tests/client/ClientFixture.h"

namespace tb::client {
namespace {

class Discovery : public test::ClientFixture {};

TEST_F(Discovery, TheFirstUnitOfTheFirstAnsweringIdentityWins) {
    link_.AddUnit(0x11, Product(1), 0, Model(0x40));
    link_.AddUnit(0x22, Product(1), 0, Model(0x5E));
    link_.AddUnit(0x33, Product(2), 1, Model(0x55));
    EXPECT_EQ(FindBaseUnit(), 0x11u);
    EXPECT_TRUE(CheckBaseUnitModel(0));
    EXPECT_FALSE(CheckBaseUnitModel(1));  // 0x22 behind the second unit is ignored
    EXPECT_EQ(link_.OpenLinks(), 0);
}

TEST_F(Discovery, IdentityTableOrderAndFlags) {
    EXPECT_FALSE(FindBaseUnit());
    const std::vector<std::string> expected{
        "list " + std::to_string(Product(1)) + "/0", "list " + std::to_string(Product(2)) + "/1",
        "list " + std::to_string(Product(3)) + "/0", "list " + std::to_string(Product(3)) + "/1",
        "list " + std::to_string(Product(4)) + "/1", "list " + std::to_string(Product(5)) + "/1",
        "list " + std::to_string(Product(6)) + "/1"};
    EXPECT_EQ(link_.calls, expected);
}

TEST_F(Discovery, AUnitRefusedByTheLatchCheckIsFoundWithoutIt) {
    link_.AddUnit(0x77, Product(3), 1, Model(0x5D));
    EXPECT_EQ(FindBaseUnit(), 0x77u);
    EXPECT_EQ(link_.calls.size(), 4u);  // P1, P2, P3 with the check, P3 without
}

TEST_F(Discovery, AFailedListingStopsTheSearch) {
    link_.FailListing(Product(2), 1, -31);
    link_.AddUnit(0x77, Product(3), 0, Model(0x40));
    EXPECT_FALSE(FindBaseUnit());
    EXPECT_EQ(link_.calls.size(), 2u);
    EXPECT_FALSE(CheckBaseUnitModel(0));
}

TEST_F(Discovery, DeviceCodesPerKind) {
    std::array<uint8_t, 64> settings{};
    settings[62] = 0x5D;
    EXPECT_TRUE(BaseUnitModelAccepts(0, settings));
    EXPECT_FALSE(BaseUnitModelAccepts(1, settings));
    EXPECT_FALSE(BaseUnitModelAccepts(3, settings));
    EXPECT_FALSE(BaseUnitModelAccepts(2, settings));
    settings[62] = 0x42;
    EXPECT_TRUE(BaseUnitModelAccepts(1, settings));
    settings[62] = 0x55;
    EXPECT_TRUE(BaseUnitModelAccepts(3, settings));
    settings[62] = 0;
    for (int kind = -1; kind < 6; ++kind) {
        EXPECT_FALSE(BaseUnitModelAccepts(kind, settings));
        EXPECT_FALSE(MultiInputModelAccepts(kind, settings));
    }
}

TEST_F(Discovery, MultiInputKindsThreeAndFourSplitOnTheNoiseBit) {
    std::array<uint8_t, 64> settings{};
    settings[62] = 0xA4;
    settings[28] = 0x08;
    EXPECT_FALSE(MultiInputModelAccepts(3, settings));
    EXPECT_TRUE(MultiInputModelAccepts(4, settings));
    settings[28] = 0x00;
    EXPECT_TRUE(MultiInputModelAccepts(3, settings));
    EXPECT_FALSE(MultiInputModelAccepts(4, settings));
    settings[28] = 0xF7;  // every other bit set
    EXPECT_TRUE(MultiInputModelAccepts(3, settings));
    settings[62] = 0xA2;
    EXPECT_TRUE(MultiInputModelAccepts(1, settings));
    EXPECT_FALSE(MultiInputModelAccepts(0, settings));
    EXPECT_FALSE(MultiInputModelAccepts(5, settings));
}

TEST_F(Discovery, MultiInputCheckReadsTheLoggersSettings) {
    link_.AddUnit(0x99, Product(5), 1, Model(0xA4, true));
    EXPECT_TRUE(CheckMultiInputModel(4));
    EXPECT_FALSE(CheckMultiInputModel(3));
    EXPECT_EQ(link_.OpenLinks(), 0);
}

TEST_F(Discovery, AFailedSettingsReadMatchesNothing) {
    auto& logger = link_.AddUnit(0x99, Product(1), 0, Model(0x40));
    logger.Faults().missingData = 1;
    EXPECT_FALSE(CheckBaseUnitModel(0));
    EXPECT_TRUE(CheckBaseUnitModel(0));
}

TEST_F(Discovery, SerialPortSearchTriesUpToTwentyEightTimes) {
    EXPECT_EQ(FindSerialPort(), -1);
    EXPECT_EQ(link_.ConnectNumCalls(), 28);
}

TEST_F(Discovery, SerialPortIsTheFirstMarkedIndexPlusOne) {
    link_.connectNumResults = {0, 0, 1};
    link_.connectNumIndex = 6;
    EXPECT_EQ(FindSerialPort(), 7);
    EXPECT_EQ(link_.ConnectNumCalls(), 3);
}

TEST_F(Discovery, AFailedCountEndsTheSerialPortSearch) {
    link_.connectNumResults = {-31};
    EXPECT_EQ(FindSerialPort(), -1);
    EXPECT_EQ(link_.ConnectNumCalls(), 1);
}

TEST(ReservedComPorts, BitmapToIndexes) {
    std::vector<int> list{99};
    const std::array<uint8_t, 4> bitmap{0x05, 0x00, 0x00, 0x80};
    EXPECT_EQ(ReservedPortsFromBitmap(bitmap, list), 32);
    EXPECT_EQ(list, (std::vector<int>{0, 2, 31}));

    const std::array<uint8_t, 32> none{};
    EXPECT_EQ(ReservedPortsFromBitmap(none, list), 0);
    EXPECT_TRUE(list.empty());

    std::array<uint8_t, 32> last{};
    last[31] = 0x80;
    EXPECT_EQ(ReservedPortsFromBitmap(last, list), 256);

    const std::array<uint8_t, 33> tooLong{1};
    EXPECT_EQ(ReservedPortsFromBitmap(tooLong, list), -1);
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace tb::client
