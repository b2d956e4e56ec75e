// The history log file: its lines byte for byte, appending, locking, the
// encoding, and message 1036 when the file cannot be written.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <clocale>
#include <sstream>

#include "HistoryFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "pages/history/HistoryLog.h"
#include "pages/history/LocaleEncoding.h"
#include "pages/history/SensorProfile.h"

namespace tb::history {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HistorySensor Sensor(SensorProfile profile) {
    HistorySensor sensor;
    sensor.profile = std::move(profile);
    return sensor;
}

HistoryEntry Entry(uint8_t channel, uint8_t kind, std::array<int16_t, 4> values, uint8_t unit) {
    return {channel, kind, kMay6, values[0], values[1], values[2], values[3], unit};
}

class HistoryLog : public HistoryTest {
  protected:
    HistoryLog() { std::setlocale(LC_ALL, "C.UTF-8"); }
    ~HistoryLog() override { std::setlocale(LC_ALL, "C"); }

    fs::path LogPath() const { return DataFolder() / "log" / "Trimbench2.LOG"; }

    // The one-point adjustment of Ch.3 from 23.4 to 23.5 degrees C on the
    // temperature/humidity sensor of logger 0x12345678.
    LogFileError WriteExample() {
        SensorAdjustment adjustment;
        adjustment.ticked = {true, false};
        return WriteHistoryLog(Sensor(Lgr870TemperatureHumidity()), adjustment, false,
                               Entry(3, 1, {234, 235, 0, 0}, 0), {}, {305419896, 0});
    }

    services::ScriptedMessageBoxes boxes_;
};

TEST_F(HistoryLog, FoldersAreMadeWhenMissing) {
    EXPECT_EQ(WriteExample(), LogFileError::None);
    EXPECT_TRUE(fs::is_regular_file(LogPath()));
}

TEST_F(HistoryLog, ExampleLineByteForByteAndAppendNeverTruncates) {
    fs::create_directories(LogPath().parent_path());
    std::ofstream(LogPath(), std::ios::binary) << "earlier line\r\n";

    EXPECT_EQ(WriteExample(), LogFileError::None);
    EXPECT_EQ(WriteExample(), LogFileError::None);
    const std::string line = "2024-05-06 07:08:09, , 12345678, CH:3, １点補正, 23.4-->23.5, C\r\n";
    EXPECT_EQ(ReadAll(LogPath()), "earlier line\r\n" + line + line);
    EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(HistoryLog, LinesOfEverySensorKind) {
    SensorAdjustment both;
    both.ticked = {true, true};
    both.typed = {{{"2.4", "0.0", "", ""}, {"1.5", "1.0", "3", "2.5"}}};
    struct Case {
        const char* name;
        SensorProfile profile;
        bool initialise;
        HistoryEntry rec1;
        HistoryEntry rec2;
        int currentUnit;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"870 illuminance/UV, typed texts",
         Lgr870IlluminanceUv(),
         false,
         Entry(1, 1, {240, 0, 0, 0}, 0),
         Entry(2, 2, {1, 2, 3, 4}, 2),
         0,
         {"2024-05-06 07:08:09, , 0000ABCD, CH:1, １点補正, 2.4-->0.0, C\r\n",
          "2024-05-06 07:08:09, , 0000ABCD, CH:2, ２点補正, 1.5-->1.0, 3-->2.5, C\r\n"}},
        {"temperature/humidity two points in F",
         Lgr875TemperatureHumidity(),
         false,
         Entry(2, 2, {700, 720, 800, 805}, 1),
         Entry(3, 1, {400, 450, 0, 0}, 0),
         1,
         {"2024-05-06 07:08:09, , 0000ABCD, CH:2, ２点補正, 70.0-->72.0, 80.0-->80.5, F\r\n",
          "2024-05-06 07:08:09, , 0000ABCD, CH:3, １点補正, 40.0-->45.0, C\r\n"}},
        {"initialisation takes the current unit",
         Lgr875Co2(),
         true,
         Entry(0, 3, {0, 0, 0, 0}, 0),
         Entry(0, 3, {0, 0, 0, 0}, 0),
         1,
         {"2024-05-06 07:08:09, , 0000ABCD, CH:CO2, 初期化, F\r\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HistoryLogLines(Sensor(c.profile), both, c.initialise, c.rec1, c.rec2,
                                  {0xABCD, c.currentUnit}),
                  c.expected);
    }
}

TEST_F(HistoryLog, TypedTextsAreCutToFifteenCharactersBetweenCharacters) {
    EXPECT_EQ(CutToCharacters("１２３４５６７８９０１２３４５６", 15),
              "１２３４５６７８９０１２３４５");
    EXPECT_EQ(CutToCharacters("1234567890123456", 15), "123456789012345");
    EXPECT_EQ(CutToCharacters("12345678901234é", 15), "12345678901234é");
    EXPECT_EQ(CutToCharacters("abc", 15), "abc");

    SensorAdjustment adjustment;
    adjustment.ticked = {true, false};
    adjustment.typed[0] = {"１２３４５６７８９０１２３４５６", "0", "", ""};
    const std::vector<std::string> lines =
        HistoryLogLines(Sensor(Lgr875Co2()), adjustment, false, Entry(1, 1, {}, 0), {}, {1, 0});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(", １２３４５６７８９０１２３４５-->0, C\r\n"), std::string::npos);
    EXPECT_TRUE(ToEncoding(lines[0], "UTF-8")) << "the line is whole UTF-8";
}

TEST_F(HistoryLog, UnwritableLogGivesMessage1036WithItsCause) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        LogFileError expected;
    };
    const std::vector<Case> cases = {
        {"log folder is a file",
         [&] {
             fs::create_directories(DataFolder());
             std::ofstream(DataFolder() / "log") << "x";
         },
         LogFileError::BadPath},
        {"log file is a folder", [&] { fs::create_directories(LogPath()); }, LogFileError::BadPath},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(DataFolder());
        c.arrange();
        boxes_.Clear();
        EXPECT_EQ(WriteExample(), c.expected);
        ASSERT_EQ(boxes_.Count(), 1u);
        EXPECT_EQ(boxes_.Last().text, "アジャストメント履歴ファイルの保存に失敗しました。 (code=" +
                                          std::to_string(static_cast<int>(c.expected)) + ")");
        EXPECT_EQ(boxes_.Last().icon, services::MsgIcon::Warning);
        EXPECT_EQ(boxes_.Last().buttons, services::MsgButtons::Ok);
    }
}

TEST_F(HistoryLog, ALockedFileIsWaitedForThenReported) {
    fs::create_directories(LogPath().parent_path());
    const int holder = ::open(LogPath().c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    // Released during the wait: the line is written.
    clock_.OnSleep([&](uint32_t) { ::flock(holder, LOCK_UN); });
    EXPECT_EQ(WriteExample(), LogFileError::None);
    clock_.OnSleep(nullptr);
    EXPECT_FALSE(ReadAll(LogPath()).empty());

    // Held throughout: reported after about a second, nothing written.
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const std::string before = ReadAll(LogPath());
    const uint64_t slept = clock_.TotalSleptMs();
    EXPECT_EQ(WriteExample(), LogFileError::SharingViolation);
    EXPECT_GE(clock_.TotalSleptMs() - slept, 1000u);
    EXPECT_EQ(ReadAll(LogPath()), before);
    EXPECT_EQ(boxes_.Count(), 1u);
    ::close(holder);
}

TEST(LocaleEncoding, ConvertsToTheLocaleCodesetOrRefuses) {
    EXPECT_EQ(ToEncoding("初期化, C\r\n", "SHIFT_JIS"), "\x8F\x89\x8A\xFA\x89\xBB, C\r\n");
    EXPECT_EQ(ToEncoding("初期化", "UTF-8"), "初期化");
    EXPECT_EQ(ToEncoding("初期化", "ANSI_X3.4-1968"), "初期化") << "no locale chosen: kept";
    EXPECT_FALSE(ToEncoding("\xF0\x9F\x98\x80", "SHIFT_JIS")) << "no form in the codeset";
    EXPECT_FALSE(ToEncoding("\xE5\x88", "UTF-8")) << "cut in the middle of a character";
    EXPECT_FALSE(ToEncoding("x", "NO-SUCH-CODESET"));
}

}  // namespace
}  // namespace tb::history
