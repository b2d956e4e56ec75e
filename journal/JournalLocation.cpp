#include "journal/JournalLocation.h"

#include "app/PageServices.h"
#include "app/Settings.h"

namespace tb::journal {

JournalLocation ConfiguredLocation() {
    JournalLocation location;
    const std::string engine = app::ReadSettingText("Journal/Engine", "sqlite");
    location.engine = engine == "postgresql" ? Engine::Postgres : Engine::Sqlite;
    const std::string folder = app::DataFolderPath();
    location.sqlitePath = app::ReadSettingText(
        "Journal/File", folder.empty() ? std::string() : folder + "/" + kJournalFileName);
    location.postgresOptions = app::ReadSettingText("Journal/Connection");
    return location;
}

std::unique_ptr<JournalStore> OpenJournal(const JournalLocation& location, std::string& error) {
    if (location.engine == Engine::Postgres) {
        return JournalStore::OpenPostgres(location.postgresOptions, error);
    }
    return JournalStore::OpenSqlite(location.sqlitePath, error);
}

std::string LabName() { return app::ReadSettingText("Journal/Lab"); }

}  // namespace tb::journal
