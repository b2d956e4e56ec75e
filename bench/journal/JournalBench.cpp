// Figures of the adjustment journal: append latency (median and p99 of 2000
// appends to the SQLite journal, target p99 <= 2 ms), the time from opening
// the journal window on a 100 000-row journal to its first painted rows
// (target 300 ms), the time to write one certificate (target 500 ms), and
// the drift chart of a logger with 500 visits in that journal, from the
// click to the painted chart (target 150 ms).
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/journal/BenchJournal.h"
#include "journal/Certificate.h"
#include "journal/DriftSeries.h"
#include "journal/JournalStore.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "ui/JournalDriftView.h"
#include "ui/JournalWindow.h"

namespace {

using Clock = std::chrono::steady_clock;
using tb::journal::JournalEntry;

constexpr int kAppends = 2000;
constexpr int kWindowRows = 100000;
using tb::bench::kDriftSerial;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// One small write and fsync in the same folder: what a commit would cost if
// it waited for the disk, and what each checkpoint of the write-ahead log
// (automatic, and when the journal is closed) still pays.
double SyncFloorP99(const std::string& folder) {
    const std::string path = folder + "/sync-floor";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    if (fd < 0) return -1.0;
    std::vector<double> times;
    char block[4096] = {};
    for (int i = 0; i < 500; ++i) {
        const auto start = Clock::now();
        if (::pwrite(fd, block, sizeof block, 0) != static_cast<ssize_t>(sizeof block) ||
            ::fsync(fd) != 0) {
            break;
        }
        times.push_back(Ms(Clock::now() - start));
    }
    ::close(fd);
    if (times.empty()) return -1.0;
    std::sort(times.begin(), times.end());
    return times[times.size() * 99 / 100];
}

void AppendFigures(const std::string& folder) {
    tb::journal::JournalError error;
    auto store = tb::journal::JournalStore::OpenSqlite(folder + "/append.sqlite3", error);
    if (!store) {
        std::printf("append: cannot open: %s\n", tb::journal::JournalErrorText(error).c_str());
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < kAppends; ++i) {
        JournalEntry entry = tb::bench::BenchEntry(i);
        const auto start = Clock::now();
        if (!store->Append(entry, error)) std::printf("append failed: %s\n", tb::journal::JournalErrorText(error).c_str());
        times.push_back(Ms(Clock::now() - start));
    }
    const auto closeStart = Clock::now();
    store.reset();
    const double closeMs = Ms(Clock::now() - closeStart);
    std::sort(times.begin(), times.end());
    std::printf(
        "journal append (SQLite, WAL, synchronous=NORMAL), %d appends: median %.3f ms, "
        "p99 %.3f ms, max %.3f ms (target p99 <= 2 ms); close with checkpoint %.1f ms; "
        "write+fsync p99 %.3f ms\n",
        kAppends, times[times.size() / 2], times[times.size() * 99 / 100], times.back(), closeMs,
        SyncFloorP99(folder));
}

// The drift button on a row of the drifting logger: its visits read from
// the 100 000-row journal, the chart laid out and painted.
void DriftFigures(tb::ui::JournalWindow& window, const std::string& folder) {
    tb::journal::JournalError error;
    int row = -1;
    for (int i = 0; i < window.Model()->rowCount() && row < 0; ++i) {
        const auto entry = window.Model()->EntryAt(i);
        if (entry && entry->unitSerial == kDriftSerial) row = i;
    }
    const auto start = Clock::now();
    {
        const auto entry = window.Model()->EntryAt(row);
        const auto visits = tb::journal::LoggerVisits(
            *tb::journal::JournalStore::OpenSqlite(folder + "/window.sqlite3", error),
            {kDriftSerial, entry->model}, error);
        std::printf("drift: the logger's %zu visits read in %.1f ms\n", visits ? visits->size() : 0u,
                    Ms(Clock::now() - start));
    }
    const auto click = Clock::now();
    auto view = window.DriftViewFor(row, error);
    if (!view) {
        std::printf("drift chart: FAILED %s\n", tb::journal::JournalErrorText(error).c_str());
        return;
    }
    view->show();
    QApplication::processEvents();
    view->repaint();
    std::printf("drift chart of a logger with %zu visits in %d rows: painted %.1f ms after the click "
                "(target 150 ms)\n",
                view->Series().visits.size(), kWindowRows, Ms(Clock::now() - click));
    const auto drawn = Clock::now();
    const bool written = window.WriteCertificateFor(row, false, folder + "/drift.pdf", error, true);
    std::printf("certificate with the drift chart: %.1f ms (target 300 ms)%s\n", Ms(Clock::now() - drawn),
                written ? "" : " FAILED");
}

void WindowFigures(const std::string& folder) {
    const tb::journal::JournalLocation location{
        tb::journal::Engine::Sqlite, folder + "/window.sqlite3", {}};
    {
        tb::journal::JournalError error;
        auto store = tb::journal::OpenJournal(location, error);
        if (!store) {
            std::printf("window: cannot open: %s\n", tb::journal::JournalErrorText(error).c_str());
            return;
        }
        tb::bench::FillJournal(*store, kWindowRows);
        const auto start = Clock::now();
        const auto report = store->Verify();
        std::printf("verify of %lld rows: %.0f ms (%s)\n", static_cast<long long>(report.rows),
                    Ms(Clock::now() - start), report.Intact() ? "intact" : "broken");
    }
    // The program's window is up when the journal opens: fonts and styles
    // are loaded already.
    {
        QLabel warm(QStringLiteral("調整記録… 1.000 CSV"));
        warm.show();
        QApplication::processEvents();
    }
    const auto start = Clock::now();
    tb::ui::JournalWindow window(location);
    window.show();
    QApplication::processEvents();
    window.Table()->viewport()->repaint();
    const auto shown = Clock::now();
    std::printf(
        "journal window on %d rows: first rows painted %.1f ms after opening "
        "(target 300 ms); %d rows listed\n",
        kWindowRows, Ms(shown - start), window.Model()->rowCount());

    tb::journal::JournalError error;
    const auto entries = window.CertificateEntries(0, false, error).value_or(
        std::vector<tb::journal::JournalEntry>{});
    const auto before = Clock::now();
    tb::journal::JournalError notWritten;
    const bool written = tb::journal::WriteCertificate(entries, {.lab = "Bench Lab"},
                                                       folder + "/certificate.pdf", notWritten);
    std::printf("certificate PDF: %.1f ms (target 500 ms)%s\n", Ms(Clock::now() - before),
                written ? "" : " FAILED");
    DriftFigures(window, folder);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tb::services::ScriptedMessageBoxes boxes;
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("tb-journal-bench-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(folder);
    AppendFigures(folder);
    WindowFigures(folder);
    std::filesystem::remove_all(folder);
    return 0;
}
