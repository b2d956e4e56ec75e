// A second program writing to the shared journal: appends COUNT rows
// through the given libpq options, tagging each with TAG as operator.
// Exit status 0 when every append succeeded.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "journal/JournalStore.h"
#include "tests/journal/JournalSamples.h"
#include "tests/support/JournalErrorPrinter.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OPTIONS COUNT TAG\n", argv[0]);
        return 2;
    }
    QCoreApplication app(argc, argv);
    tb::journal::JournalError error;
    auto store = tb::journal::JournalStore::OpenPostgres(argv[1], error);
    if (!store) {
        std::fprintf(stderr, "open: %s\n", tb::journal::JournalErrorText(error).c_str());
        return 1;
    }
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        tb::journal::JournalEntry entry =
            tb::journal::testing::SampleEntry("0000000A", "2026-12-09T05:00:00.000Z");
        entry.operatorName = std::string(argv[3]) + "-" + std::to_string(i);
        if (!store->Append(entry, error)) {
            std::fprintf(stderr, "append %d: %s\n", i, tb::journal::JournalErrorText(error).c_str());
            return 1;
        }
    }
    return 0;
}
