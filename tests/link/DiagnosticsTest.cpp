// The link library's service diagnostics: marker file, flight channel, ring
// file, table dump and received-frame dumps.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "link/LinkLibrary.h"
#include "link/diag/Diagnostics.h"
#include "link/diag/LogLine.h"
#include "link/diag/RingFile.h"
#include "link/diag/TableDump.h"
#include "platform/Clock.h"
#include "tests/link/ScriptedPortLayer.h"
#include "tests/link/TempFolder.h"

namespace tb::link::diag {
namespace {

using link::testing::Kind2Frame;
using link::testing::ScriptedPort;
using link::testing::ScriptedPortLayer;
using link::testing::SerialReplyBody;
using link::testing::TempFolder;

// A channel name no other test process uses.
std::string UniqueChannel() {
    static const std::string process = std::to_string(std::random_device{}());
    static std::atomic<int> next{0};
    return "tb_link_test_flight." + process + "." + std::to_string(next++);
}

void UseUtcAsLocalTime() {
#if defined(_WIN32)
    _putenv_s("TZ", "UTC");
    _tzset();
#else
    setenv("TZ", "UTC", 1);
    tzset();
#endif
}

std::string Record(const std::string& file, int record) {
    return file.substr(static_cast<size_t>(record) * kRecordBytes, kRecordBytes);
}

class DiagnosticsTest : public ::testing::Test {
  protected:
    DiagnosticsTest() : scopedClock_(clock_) { UseUtcAsLocalTime(); }

    std::unique_ptr<Diagnostics> Make() {
        return std::make_unique<Diagnostics>(folder_.Path(), UniqueChannel());
    }
    // One open-send-receive-close exchange with a unit on a scripted port.
    void RunExchange(std::unique_ptr<Diagnostics> diagnostics) {
        ScriptedPortLayer ports;
        ports.Attach("2f5c-8001", 1).onWrite = [&](ScriptedPort& self) {
            const bool query = self.written.size() == 12;
            self.written.clear();
            ports.Arrive(1, Kind2Frame(query ? SerialReplyBody("00ABCDEF") : "EIADJ:STATUS="));
        };
        LinkLibrary link(ports, {}, std::move(diagnostics));
        uint32_t serial = 0;
        ASSERT_EQ(link.GetSerial(&serial, 1, 0x8001, 1), 1);
        ASSERT_EQ(link.OpenUSBComm(serial), 0);
        const auto frame = Kind2Frame("EIADJ:ACT=");
        ASSERT_EQ(link.SendComm(serial, frame.data(), static_cast<int>(frame.size())), 0);
        uint8_t reply[64];
        ASSERT_GT(link.RecvComm(serial, reply, sizeof reply, 0), 0);
        ASSERT_EQ(link.CloseComm(serial), 0);
        link.Diag().DumpTable(link.Table());
    }

    platform::VirtualClock clock_{0, 1700000000};  // 2023/11/14 22:13'20 UTC
    platform::ScopedClock scopedClock_;
    TempFolder folder_;
};

TEST_F(DiagnosticsTest, WithoutTheMarkerNoFileIsCreated) {
    RunExchange(Make());
    EXPECT_TRUE(folder_.Names().empty());
}

TEST_F(DiagnosticsTest, WithTheMarkerAnExchangeLeavesItsLinesAndDumps) {
    folder_.Touch(kMarkerFileName);
    RunExchange(Make());  // the library's end pumps what is still queued

    const std::string ring = folder_.Read(kRingFileName);
    ASSERT_EQ(ring.size(), 6 * kRecordBytes);  // header, start, open, send, receive, close
    const std::string start = "2023/11/14 22:13'20 VkTR800Comm Start " + std::string(34, '-');
    EXPECT_EQ(Record(ring, 1).substr(0, 72), "0000  " + start.substr(0, 60) + " .... ");
    EXPECT_NE(ring.find("USB Open Success(00abcdef)"), std::string::npos);
    EXPECT_NE(ring.find("USB Send(00abcdef) 54 32 0a 00 45 49 41 44 ..."), std::string::npos);
    EXPECT_NE(ring.find("USB Recv Success(00abcdef) 54 32 0d 00 "), std::string::npos);
    EXPECT_NE(ring.find("USB Close(00abcdef)"), std::string::npos);
    const int lines = static_cast<int>(ring.size() / kRecordBytes) - 1;
    char header[48];
    std::snprintf(header, sizeof header, "FLIT 5000 %d %04d", lines, lines - 1);
    EXPECT_EQ(Record(ring, 0).substr(0, strlen(header) + 1), std::string(header) + " ");
    EXPECT_EQ(Record(ring, 0).substr(98), "\r\n");

    const auto reply = Kind2Frame("EIADJ:STATUS=");
    EXPECT_EQ(folder_.Read("Debug_Recv_00abcdef"), std::string(reply.begin(), reply.end()));
    const std::string table = folder_.Read(kTableDumpFileName);
    ASSERT_EQ(table.size(), kTableRecordBytes);
    EXPECT_EQ(table.substr(0, 8), std::string("\xef\xcd\xab\x00\x00\x00\x00\x00", 8));
}

TEST_F(DiagnosticsTest, TheRingWrapsAfter5000EntriesAndKeepsCounting5000) {
    const std::string path = folder_.File(kRingFileName);
    for (int i = 0; i < 5001; ++i)
        ASSERT_EQ(AppendToRingFile(path, "line " + std::to_string(i)), RingAppend::Written);
    const std::string ring = folder_.Read(kRingFileName);
    ASSERT_EQ(ring.size(), 5001 * kRecordBytes);
    EXPECT_EQ(Record(ring, 0).substr(0, 20), "FLIT 5000 5000 0000 ");
    EXPECT_EQ(Record(ring, 1).substr(0, 16), "0000  line 5000 ");
    EXPECT_EQ(Record(ring, 2).substr(0, 13), "0001  line 1 ");
    EXPECT_EQ(Record(ring, 5000).substr(0, 16), "4999  line 4999 ");
}

TEST_F(DiagnosticsTest, LongLinesAreCut) {
    const std::string sixtyNine(69, 'a');
    const std::string seventy(70, 'b');
    EXPECT_EQ(CutLongLine(sixtyNine), sixtyNine);
    EXPECT_EQ(CutLongLine(seventy), std::string(60, 'b') + " .... ");
    const std::string record = EntryRecord(12, seventy);
    EXPECT_EQ(record.size(), kRecordBytes);
    EXPECT_EQ(record.substr(0, 72), "0012  " + std::string(60, 'b') + " .... ");
    EXPECT_EQ(record.substr(72, 26), std::string(26, ' '));
    // The flight channel carries at most 100 bytes of a line.
    EXPECT_EQ(FormatLogLine(1700000000, std::string(200, 'c')).size(), 100u);
}

TEST_F(DiagnosticsTest, AForeignHeaderMakesThePumpDropEveryLine) {
    folder_.Touch(kMarkerFileName);
    const std::string foreign = "NOT A RING FILE\n";
    std::ofstream(folder_.File(kRingFileName), std::ios::binary) << foreign;
    auto diagnostics = Make();
    diagnostics->Log("first");
    diagnostics->Log("second");
    diagnostics->PumpFlight();
    EXPECT_EQ(folder_.Read(kRingFileName), foreign);

    // A header of ours with impossible numbers is not trusted either.
    std::ofstream(folder_.File(kRingFileName), std::ios::binary) << HeaderRecord(5000, 1, 999999);
    diagnostics->Log("third");
    diagnostics->PumpFlight();
    EXPECT_EQ(folder_.Read(kRingFileName).size(), kRecordBytes);
}

TEST_F(DiagnosticsTest, TheTimersRunOnTheLoadingThreadWhenTheirPeriodsHavePassed) {
    folder_.Touch(kMarkerFileName);
    auto diagnostics = Make();
    MngTable table;
    Sb_Set_MngTable(table, 0x11)->TrFlg = kTransportUsb;
    diagnostics->Log("queued");
    diagnostics->Service(table);
    EXPECT_FALSE(std::filesystem::exists(folder_.File(kRingFileName)));
    clock_.Advance(1000);
    std::thread([&] { diagnostics->Service(table); }).join();  // not the loading thread
    EXPECT_FALSE(std::filesystem::exists(folder_.File(kRingFileName)));
    diagnostics->Service(table);
    EXPECT_TRUE(std::filesystem::exists(folder_.File(kRingFileName)));
    EXPECT_FALSE(std::filesystem::exists(folder_.File(kTableDumpFileName)));
    clock_.Advance(9000);
    diagnostics->Service(table);
    EXPECT_EQ(folder_.Read(kTableDumpFileName).size(), kTableRecordBytes);
}

TEST_F(DiagnosticsTest, TableRecordsHoldEveryFieldAtItsOffset) {
    MngTable table;
    MngEntry* entry = Sb_Set_MngTable(table, 0x01020304);
    entry->TrFlg = kTransportLan;
    entry->portNumber = 7;
    entry->tcpPort = 0x1F90;
    std::strcpy(entry->host, "unit.local");
    std::strcpy(entry->login, "user\r");
    entry->closeState = kRequestDone;
    Sb_Set_MngTable(table, 5);
    const auto record = EncodeTableRecord(*entry);
    EXPECT_EQ(record[0], 0x04);
    EXPECT_EQ(record[4], kTransportLan);
    EXPECT_EQ(record[40], 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[60])), "unit.local");
    EXPECT_EQ(record[188] | (record[189] << 8), 0x1F90);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record[192])), "user\r");
    EXPECT_EQ(record[332], kRequestDone);
    EXPECT_EQ(record[348] | record[349] | record[350] | record[351], 0);  // last in the list
    const auto head = EncodeTableRecord(*table.Head());
    EXPECT_NE(head[348] | head[349] | head[350] | head[351], 0);
}

TEST_F(DiagnosticsTest, ADumpNamedAfterAHostStaysInTheFolder) {
    MngEntry entry;
    entry.key = 0xBEEF;
    EXPECT_EQ(RecvDumpFileName(entry), "Debug_Recv_0000beef");
    std::strcpy(entry.host, "../../etc/unit");
    EXPECT_EQ(RecvDumpFileName(entry), "Debug_Recv_.._.._etc_unit");
}

}  // namespace
}  // namespace tb::link::diag
