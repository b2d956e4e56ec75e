// trimbench-journal: the journal's maintenance from a shell.
//
//   trimbench-journal verify               walks the chain; names the first broken row
//   trimbench-journal export-csv FILE      every row, newest first, as the window exports it
//   trimbench-journal grant-writer ROLE    PostgreSQL: gives ROLE INSERT and SELECT only
//
// The journal is the one the settings name (group Journal); --sqlite FILE or
// --postgresql OPTIONS choose another. Exit status 0 on success, 1 when the
// chain is broken or the work failed, 2 on a usage error.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "journal/CsvExport.h"
#include "journal/JournalLocation.h"

namespace {

using namespace tb::journal;

int Usage() {
    std::fprintf(stderr,
                 "usage: trimbench-journal [--sqlite FILE | --postgresql OPTIONS] "
                 "verify | export-csv FILE | grant-writer ROLE\n");
    return 2;
}

int Verify(JournalStore& store) {
    const VerifyReport report = store.Verify();
    if (!report.readable) {
        std::fprintf(stderr, "cannot read the journal: %s\n", report.error.c_str());
        return 1;
    }
    if (report.firstBroken) {
        std::printf("chain broken at row %lld\n", static_cast<long long>(*report.firstBroken));
        return 1;
    }
    std::printf("chain intact: %lld rows\n", static_cast<long long>(report.rows));
    return 0;
}

int ExportCsv(JournalStore& store, const std::string& path) {
    std::string error;
    const auto entries = AllRows(store, {}, error);
    if (!entries) {
        std::fprintf(stderr, "cannot read the journal: %s; %s not written\n", error.c_str(),
                     path.c_str());
        return 1;
    }
    if (!WriteFileAtomically(path, CsvText(*entries), error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    std::printf("%zu rows written to %s\n", entries->size(), path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    JournalLocation location = ConfiguredLocation();
    int at = 1;
    if (at + 1 < argc && std::strcmp(argv[at], "--sqlite") == 0) {
        location = {Engine::Sqlite, argv[at + 1], {}};
        at += 2;
    } else if (at + 1 < argc && std::strcmp(argv[at], "--postgresql") == 0) {
        location = {Engine::Postgres, {}, argv[at + 1]};
        at += 2;
    }
    if (at >= argc) return Usage();
    const std::string command = argv[at];
    const char* argument = at + 1 < argc ? argv[at + 1] : nullptr;
    if (command != "verify" && argument == nullptr) return Usage();

    std::string error;
    auto store = OpenJournal(location, error);
    if (!store) {
        std::fprintf(stderr, "cannot open the journal: %s\n", error.c_str());
        return 1;
    }
    if (command == "verify") return Verify(*store);
    if (command == "export-csv") return ExportCsv(*store, argument);
    if (command == "grant-writer") {
        if (store->EngineKind() != Engine::Postgres) {
            std::fprintf(stderr, "grant-writer needs the PostgreSQL journal\n");
            return 2;
        }
        if (!GrantJournalWriter(store->Database(), argument, error)) {
            std::fprintf(stderr, "cannot grant: %s\n", error.c_str());
            return 1;
        }
        std::printf("%s may append to and read the journal\n", argument);
        return 0;
    }
    return Usage();
}
