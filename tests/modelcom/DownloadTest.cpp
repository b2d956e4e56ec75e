// The bulk download of recorded data: blocks, re-requests, sequence,
// cancel, progress and the caller's capacity.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Pump.h"
#include "tests/modelcom/LoggerFixture.h"

namespace tb::modelcom::test {
namespace {

// Four channel arrays with a guard zone after `capacity` entries.
struct Channels {
    explicit Channels(size_t capacity) : capacity(capacity) {
        for (auto& c : values) c.assign(capacity + 16, int16_t{-7});
    }
    bool GuardsIntact() const {
        for (const auto& c : values) {
            for (size_t i = capacity; i < c.size(); ++i) {
                if (c[i] != -7) return false;
            }
        }
        return true;
    }
    size_t capacity;
    std::vector<int16_t> values[4];
    uint8_t table[192] = {};
};

class DownloadTest : public Lgr870Test {
  protected:
    int Download(Channels& c, int capacity) {
        return VkLGR870Com_GetRecData(serial, c.values[0].data(), c.values[1].data(),
                                      c.values[2].data(), c.values[3].data(), c.table, capacity);
    }
    // Counts the block requests and the re-requests among them.
    void WatchBlocks(std::function<void(int)> onBlockRequest = {}) {
        port.onWrite = [this, onBlockRequest](const std::vector<uint8_t>& frame) {
            if (frame[1] != 0x41) return;
            if (frame[2] == 0x15) ++reRequests;
            if (onBlockRequest) onBlockRequest(blockRequests);
            ++blockRequests;
        };
    }
    int blockRequests = 0;
    int reRequests = 0;
};

TEST_F(DownloadTest, ThousandRecordsArriveInEightBlocksWithProgress) {
    logger.FillRecords(1000);
    Identify();
    std::vector<std::pair<int16_t, int16_t>> progress;
    tb::platform::ScopedPumpHook pump([&] {
        int16_t total = -1, received = -1;
        if (VkLGR870Com_GetRcvStatus(serial, &total, &received) == 0) {
            if (progress.empty() || progress.back() != std::make_pair(total, received)) {
                progress.emplace_back(total, received);
            }
        }
    });
    Channels c(1000);
    ASSERT_EQ(Download(c, 1000), 1000);
    EXPECT_EQ(c.values[0][0], 0);
    EXPECT_EQ(c.values[1][0], 1);
    EXPECT_EQ(c.values[3][999], 9993);
    EXPECT_EQ(c.values[2][513], 5132);
    EXPECT_TRUE(c.GuardsIntact());
    EXPECT_EQ(c.table[58] | (c.table[59] << 8), 8000);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), std::make_pair(int16_t{8}, int16_t{0}));
    EXPECT_EQ(progress.back(), std::make_pair(int16_t{8}, int16_t{7}));
    int16_t total, received;
    EXPECT_EQ(VkLGR870Com_GetRcvStatus(serial, &total, &received), -33) << "finished";
    EXPECT_EQ(total, 0);
}

TEST_F(DownloadTest, NeverStoresMoreThanTheCallersCapacity) {
    logger.FillRecords(1000);
    logger.ArmFault(sim::Lgr87xFault::kOverReport);
    Identify();
    Channels c(100);
    EXPECT_EQ(Download(c, 100), 100);
    EXPECT_EQ(c.values[0][99], 990);
    EXPECT_TRUE(c.GuardsIntact());
}

TEST_F(DownloadTest, ADamagedBlockIsAskedAgainUpToTwice) {
    logger.FillRecords(300);  // three blocks
    Identify();
    WatchBlocks([&](int request) {
        if (request == 1 || request == 2) port.Line(kLoggerPort).garbledReplies = 1;
    });
    Channels c(300);
    ASSERT_EQ(Download(c, 300), 300);
    EXPECT_EQ(reRequests, 2);
    EXPECT_EQ(c.values[0][299], 2990);

    // Three damaged answers to the same block end the download with the check's code.
    blockRequests = reRequests = 0;
    WatchBlocks([&](int request) {
        if (request >= 1) port.Line(kLoggerPort).garbledReplies = 1;
    });
    EXPECT_EQ(Download(c, 300), -12);
    EXPECT_EQ(blockRequests, 4);

    blockRequests = 0;
    WatchBlocks([&](int request) {
        if (request >= 1) port.Line(kLoggerPort).shortReplies = 1;
    });
    EXPECT_EQ(Download(c, 300), -5) << "short blocks";
    WatchBlocks([&](int) { port.Line(kLoggerPort).silentReplies = 1; });
    EXPECT_EQ(Download(c, 300), -5) << "silence";
    int16_t total, received;
    EXPECT_EQ(VkLGR870Com_GetRcvStatus(serial, &total, &received), -33);
    EXPECT_EQ(port.Opens(), port.Closes());
}

TEST_F(DownloadTest, ABlockOutOfSequenceEndsTheDownload) {
    logger.FillRecords(300);
    logger.firstSequence = 0xFF;  // the numbers wrap from 0xFF to 0x00
    Identify();
    Channels c(300);
    ASSERT_EQ(Download(c, 300), 300) << "wrap-around is in sequence";
    WatchBlocks([&](int request) {
        if (request == 1) logger.ArmFault(sim::Lgr87xFault::kBlockSkip, 1, 0x41);
    });
    EXPECT_EQ(Download(c, 300), -13);
    EXPECT_EQ(blockRequests, 2) << "a block out of sequence is not asked again";
}

TEST_F(DownloadTest, CancelMidwayStopsBeforeTheNextBlock) {
    logger.FillRecords(1000);
    Identify();
    WatchBlocks();
    Channels c(1000);
    {
        tb::platform::ScopedPumpHook pump([&] {
            int16_t total = 0, received = 0;
            if (VkLGR870Com_GetRcvStatus(serial, &total, &received) == 0 && received == 3) {
                EXPECT_EQ(VkLGR870Com_CancelDownload(serial), 0);
            }
        });
        EXPECT_EQ(Download(c, 1000), -15);
    }
    // The cancel comes while the fourth block is on its way; the fifth is never asked for.
    EXPECT_EQ(blockRequests, 4);
    EXPECT_EQ(c.values[0][0], -7) << "nothing stored from a cancelled download";
    int16_t total, received;
    EXPECT_EQ(VkLGR870Com_GetRcvStatus(serial, &total, &received), -33);
    EXPECT_EQ(port.Opens(), port.Closes());
    EXPECT_EQ(Download(c, 1000), 1000) << "the cancel request does not outlive its download";
}

TEST_F(DownloadTest, ArgumentsAndEmptyLoggers) {
    Identify();
    Channels c(10);
    EXPECT_EQ(Download(c, 8001), -30);
    EXPECT_EQ(Download(c, 0), -30);
    EXPECT_EQ(VkLGR870Com_GetRecData(serial, c.values[0].data(), nullptr, c.values[2].data(),
                                     c.values[3].data(), c.table, 10),
              -30);
    EXPECT_EQ(VkLGR870Com_GetRecData(serial, c.values[0].data(), c.values[1].data(),
                                     c.values[2].data(), c.values[3].data(), nullptr, 10),
              -30);
    EXPECT_EQ(port.Opens(), 0);
    EXPECT_EQ(Download(c, 10), -31);
    EXPECT_EQ(VkLGR870Com_GetRecData(0x12345678, c.values[0].data(), c.values[1].data(),
                                     c.values[2].data(), c.values[3].data(), c.table, 10),
              -2);
}

TEST_F(Lgr875Test, DownloadsRecordsOfThreeValues) {
    logger.FillRecords(400);
    Identify();
    std::vector<int16_t> c1(400), c2(400), c3(400);
    uint8_t table[192];
    ASSERT_EQ(VkLGR875Com_GetRecData(serial, c1.data(), c2.data(), c3.data(), table, 400), 400);
    EXPECT_EQ(c1[399], 3990);
    EXPECT_EQ(c3[399], 3992);
    EXPECT_EQ(table[58] | (table[59] << 8), 2400);
}

}  // namespace
}  // namespace tb::modelcom::test
