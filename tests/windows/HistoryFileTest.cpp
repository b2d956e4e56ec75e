// The history log file on Windows: appended in the system code page (932
// on a Japanese Windows; scripts/wine-test.sh runs this suite so), never
// interleaved with another writer's lock, and the causes of failure.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "pages/history/HistoryLog.h"
#include "pages/history/LocaleEncoding.h"

namespace tb::history {
namespace {

namespace fs = std::filesystem;

class HistoryFileOnWindows : public ::testing::Test {
  protected:
    HistoryFileOnWindows() {
        fs::remove_all(data_);
        fs::create_directories(data_);
    }
    ~HistoryFileOnWindows() override { fs::remove_all(data_); }

    fs::path LogPath() const { return data_ / kLogFolderName / kLogFileName; }
    LogFileError Append(const std::vector<std::string>& lines) {
        return AppendLogLines(data_.string(), lines);
    }
    std::string Contents() const {
        std::ifstream in(LogPath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    const fs::path data_ =
        fs::temp_directory_path() / ("tb-history-" + std::to_string(GetCurrentProcessId()));
};

TEST(CodePages, ConvertOrRefuseWithoutStandIns) {
    struct Case {
        const char* text;
        const char* codeset;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"初期化, C\r\n", "SHIFT_JIS", std::string("\x8F\x89\x8A\xFA\x89\xBB, C\r\n")},
        {"初期化", "CP932", std::string("\x8F\x89\x8A\xFA\x89\xBB")},
        {"初期化", "UTF-8", std::string("初期化")},
        {"初期化", "ANSI_X3.4-1968", std::string("初期化")},
        {"caf\xC3\xA9", "CP1252", std::string("caf\xE9")},
        {"\xF0\x9F\x98\x80", "SHIFT_JIS", std::nullopt},  // no form in the code page
        {"\xE2\x88\x9A", "CP1252", std::nullopt},         // no '?' or look-alike stands in
        {"\xE5\x88", "UTF-8", std::nullopt},              // cut in the middle of a character
        {"\xE5\x88", "SHIFT_JIS", std::nullopt},
        {"x", "NO-SUCH-CODESET", std::nullopt},
        {"", "SHIFT_JIS", std::string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " to " + c.codeset);
        EXPECT_EQ(ToEncoding(c.text, c.codeset), c.expected);
    }
}

TEST_F(HistoryFileOnWindows, AppendsInTheSystemCodePageAndNeverTruncates) {
    ASSERT_EQ(GetACP(), 932u) << "the suite runs with a Japanese system code page";
    EXPECT_EQ(Append({"初期化, C\r\n"}), LogFileError::None);
    EXPECT_EQ(Append({"a\r\n", "b\r\n"}), LogFileError::None);
    EXPECT_EQ(Contents(), "\x8F\x89\x8A\xFA\x89\xBB, C\r\na\r\nb\r\n");
    // A line without a form in the code page: nothing of the call is written.
    EXPECT_EQ(Append({"ok\r\n", "\xF0\x9F\x98\x80\r\n"}), LogFileError::Encoding);
    EXPECT_EQ(Contents(), "\x8F\x89\x8A\xFA\x89\xBB, C\r\na\r\nb\r\n");
}

TEST_F(HistoryFileOnWindows, AnotherWritersLockIsWaitedForThenReported) {
    fs::create_directories(LogPath().parent_path());
    const HANDLE holder =
        CreateFileW(LogPath().c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    OVERLAPPED whole{};
    ASSERT_TRUE(LockFileEx(holder, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));

    // Let go during the wait: the line is written.
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        OVERLAPPED range{};
        UnlockFileEx(holder, 0, MAXDWORD, MAXDWORD, &range);
    });
    EXPECT_EQ(Append({"first\r\n"}), LogFileError::None);
    release.join();
    EXPECT_EQ(Contents(), "first\r\n");

    // Held throughout: reported after about a second, nothing written.
    OVERLAPPED again{};
    ASSERT_TRUE(LockFileEx(holder, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &again));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Append({"second\r\n"}), LogFileError::SharingViolation);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900));
    OVERLAPPED range{};
    UnlockFileEx(holder, 0, MAXDWORD, MAXDWORD, &range);
    CloseHandle(holder);
    EXPECT_EQ(Contents(), "first\r\n");
}

TEST_F(HistoryFileOnWindows, TwoWritersAtOnceNeverInterleaveALine) {
    const std::string a(4000, 'a'), b(4000, 'b');
    auto writer = [&](const std::string& line) {
        for (int i = 0; i < 20; ++i) EXPECT_EQ(Append({line + "\r\n"}), LogFileError::None);
    };
    std::thread first(writer, a), second(writer, b);
    first.join();
    second.join();
    std::istringstream lines(Contents());
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_TRUE(line == a + "\r" || line == b + "\r") << "line " << count << " is mixed";
    EXPECT_EQ(count, 40);
}

TEST_F(HistoryFileOnWindows, SomethingInThePlaceOfTheFolderOrFileIsABadPath) {
    std::ofstream(data_ / kLogFolderName) << "x";
    EXPECT_EQ(Append({"x\r\n"}), LogFileError::BadPath);
    fs::remove(data_ / kLogFolderName);
    fs::create_directories(LogPath());
    EXPECT_EQ(Append({"x\r\n"}), LogFileError::BadPath);
    EXPECT_EQ(AppendLogLines("", {"x\r\n"}), LogFileError::NotFound);
}

}  // namespace
}  // namespace tb::history
