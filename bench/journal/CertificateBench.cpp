// Figures of a lab's certificate: writing the certificate of a logger with
// 500 visits in a 100 000-row journal, as a PDF with its drift charts and
// as a DCC (target 300 ms each). The journal is made once, in a temporary folder, and shared by
// every benchmark of the program (LargeJournal); each benchmark is one
// way of issuing the same certificate.
//
//   build/release/out/bench_certificate [--benchmark_repetitions=N ...]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "bench/journal/BenchJournal.h"
#include "journal/DayCertificate.h"
#include "journal/DriftSeries.h"
#include "journal/JournalStore.h"

namespace {

using tb::journal::JournalStore;

constexpr int kRows = 100000;
constexpr double kTargetMs = 300.0;

// The journal on disk: made on first use, removed when the program ends.
class BenchJournalFolder {
  public:
    static BenchJournalFolder& Get() {
        static BenchJournalFolder folder;
        return folder;
    }
    ~BenchJournalFolder() { std::filesystem::remove_all(folder_); }
    const std::string& Folder() const { return folder_; }
    std::string JournalPath() const { return folder_ + "/journal.sqlite3"; }
    bool Ready() const { return ready_; }

  private:
    BenchJournalFolder()
        : folder_((std::filesystem::temp_directory_path() /
                   ("tb-certificate-bench-" + std::to_string(::getpid())))
                      .string()) {
        std::filesystem::create_directories(folder_);
        tb::journal::JournalError error;
        auto store = JournalStore::OpenSqlite(JournalPath(), error);
        if (!store) {
            std::fprintf(stderr, "%s\n", tb::journal::JournalErrorText(error).c_str());
            return;
        }
        tb::bench::FillJournal(*store, kRows);
        ready_ = true;
    }
    std::string folder_;
    bool ready_ = false;
};

// An open journal of kRows rows and the drifting logger's newest visit, the
// adjustment its certificate is of.
class LargeJournal : public benchmark::Fixture {
  public:
    void SetUp(const benchmark::State& state) override {
        const BenchJournalFolder& journal = BenchJournalFolder::Get();
        tb::journal::JournalError error;
        if (journal.Ready()) store_ = JournalStore::OpenSqlite(journal.JournalPath(), error);
        if (!store_) return;
        const auto visits = tb::journal::LoggerVisits(*store_, {tb::bench::kDriftSerial, "820/821"}, error);
        if (visits && !visits->empty()) {
            newest_ = visits->back();
            visits_ = visits->size();
        }
        (void)state;
    }
    void TearDown(const benchmark::State&) override { store_.reset(); }

  protected:
    // Why the journal cannot be measured on; empty when it can.
    std::string Unready() const {
        if (!store_) return "the journal could not be made or opened";
        if (!newest_) return "the drifting logger has no visits";
        return {};
    }
    // The PDF (with drift) or the DCC, as a complete lab's settings issue them.
    tb::journal::CertificateRequest Request(const std::string& pdf, const std::string& dcc = {}) const {
        tb::journal::CertificateRequest request;
        request.selected = *newest_;
        request.withDrift = !pdf.empty();
        request.header = {.lab = "Bench Lab", .labAddress = "1-2-3 Bench", .customer = "Bench Customer",
                          .method = "KSL-CAL-07", .approver = "Bench Approver", .approverRole = "Head",
                          .uncertainty = "*=0.2"};
        const std::string folder = BenchJournalFolder::Get().Folder() + "/";
        if (!pdf.empty()) request.path = folder + pdf;
        if (!dcc.empty()) request.dccPath = folder + dcc;
        return request;
    }
    void Issue(benchmark::State& state, const tb::journal::CertificateRequest& request) {
        for (auto _ : state) {
            const auto outcome = tb::journal::WriteCertificateOf(*store_, request);
            if (outcome.result != tb::journal::CertificateResult::Written) {
                state.SkipWithError(tb::journal::JournalErrorText(outcome.error).c_str());
                break;
            }
        }
        Figures(state);
    }
    void Figures(benchmark::State& state) const {
        state.counters["rows"] = kRows;
        state.counters["visits"] = static_cast<double>(visits_);
        state.counters["target_ms"] = kTargetMs;
    }

    std::unique_ptr<JournalStore> store_;
    std::optional<tb::journal::JournalEntry> newest_;
    std::size_t visits_ = 0;
};

// The PDF with a drift chart per channel, as `trimbench certificate
// --drift` and the journal window's button write it.
BENCHMARK_DEFINE_F(LargeJournal, CertificatePdfWithDrift)(benchmark::State& state) {
    if (const std::string unready = Unready(); !unready.empty()) {
        state.SkipWithError(unready.c_str());
        return;
    }
    Issue(state, Request("certificate.pdf"));
}
BENCHMARK_REGISTER_F(LargeJournal, CertificatePdfWithDrift)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same certificate as a machine-readable DCC alone, as `--dcc` and the
// window's DCC button write it.
BENCHMARK_DEFINE_F(LargeJournal, CertificateDcc)(benchmark::State& state) {
    if (const std::string unready = Unready(); !unready.empty()) {
        state.SkipWithError(unready.c_str());
        return;
    }
    Issue(state, Request({}, "certificate.xml"));
}
BENCHMARK_REGISTER_F(LargeJournal, CertificateDcc)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("certificate of a logger with 500 visits in a %d-row journal (target %.0f ms each)\n",
                kRows, kTargetMs);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
