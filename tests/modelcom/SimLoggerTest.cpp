// The simulated loggers on their own: finding frames in a noisy stream,
// refusing damaged requests, and serving a download block by block.
#include <gtest/gtest.h>

#include "sim/lgr87x/Lgr87xLogger.h"
#include "sim/lgr87x/Lgr87xWire.h"
#include "tests/modelcom/FakeLoggerPort.h"

namespace tb::modelcom::test {
namespace {

using sim::Lgr87xFrameCutter;
using sim::Lgr87xLogger;
using sim::Lgr87xModel;

TEST(SimLogger, CutterSkipsNoiseAndImpossibleLengths) {
    Lgr87xFrameCutter cutter;
    auto frame = WithSum(Hex("01 5E 02 00 00"));
    // Noise, then a false start whose length no request can have, then a frame in two parts.
    cutter.Push(Hex("FF 00 01 33 00 FF FF"));
    cutter.Push(std::span(frame).first(3));
    EXPECT_FALSE(cutter.Next());
    cutter.Push(std::span(frame).subspan(3));
    auto request = cutter.Next();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->command, 0x5E);
    EXPECT_EQ(request->sub, 2);
    EXPECT_TRUE(request->checkOk);
    EXPECT_FALSE(cutter.Next());
}

TEST(SimLogger, DamagedRequestsAreRefusedAndNothingChanges) {
    Lgr87xLogger logger(Lgr87xModel::k870, 0x87000001);
    auto frame = WithSum(Hex("01 5B 02 0C 00 01 00 00 00 E8 03 00 00 E8 03 00 00"));
    frame.back() ^= 1;
    Lgr87xFrameCutter cutter;
    cutter.Push(frame);
    auto reply = logger.Answer(*cutter.Next());
    ASSERT_TRUE(reply);
    EXPECT_EQ(*reply, WithSum(Hex("01 5B 15 00 00")));
    EXPECT_EQ(logger.calibration[2].time, 0);
}

TEST(SimLogger, DownloadBlocksAreNumberedAndRepeatedOnRequest) {
    Lgr87xLogger logger(Lgr87xModel::k870, 0x87000001);
    logger.FillRecords(200);                          // 1600 bytes: 1024 + 576
    sim::Lgr87xRequest table{0x40, 0, {0x40, 0x06}};  // 1600 bytes asked for
    auto first = logger.Answer(table);
    ASSERT_TRUE(first);
    EXPECT_EQ((*first)[5 + 58] | ((*first)[5 + 59] << 8), 1600);
    auto block0 = logger.Answer({0x41, 0x06, {}});
    auto again = logger.Answer({0x41, 0x15, {}});
    auto block1 = logger.Answer({0x41, 0x06, {}});
    ASSERT_TRUE(block0 && again && block1);
    EXPECT_EQ(block0->size(), 1024u + 7);
    EXPECT_EQ(*again, *block0);
    EXPECT_EQ(block1->size(), 576u + 7);
    EXPECT_EQ((*block1)[2], static_cast<uint8_t>((*block0)[2] + 1));
    EXPECT_FALSE(logger.Answer({0x41, 0x06, {}})) << "nothing left: silence";

    // Asking for less than is recorded limits what the logger reports.
    auto limited = logger.Answer({0x40, 0, {0x50, 0x00}});
    EXPECT_EQ((*limited)[5 + 58], 0x50);
}

}  // namespace
}  // namespace tb::modelcom::test
