// A fixture with a SQLite journal in a temporary folder, opened as the
// program opens it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "journal/JournalStore.h"
#include "tests/services/TempDir.h"
#include "tests/support/JournalErrorPrinter.h"

namespace tb::journal::testing {

class SqliteJournalTest : public ::testing::Test {
  protected:
    std::unique_ptr<JournalStore> Open() {
        tb::journal::JournalError error;
        auto store = JournalStore::OpenSqlite(path_, error);
        EXPECT_NE(store, nullptr) << error;
        return store;
    }

    tb::testing::TempDir dir_;
    std::string path_ = dir_.str() + "/journal.sqlite3";
};

}  // namespace tb::journal::testing
