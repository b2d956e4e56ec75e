#include "journal/JournalLocation.h"

#include "services/PageServices.h"
#include "services/Settings.h"
#include "resources/StringIds.h"

namespace tb::journal {

JournalLocation ConfiguredLocation() {
    JournalLocation location;
    const std::string engine = services::ReadSettingText("Journal/Engine", "sqlite");
    location.engine = engine == "postgresql" ? Engine::Postgres : Engine::Sqlite;
    const std::string folder = services::DataFolderPath();
    location.sqlitePath = services::ReadSettingText(
        "Journal/File", folder.empty() ? std::string() : folder + "/" + kJournalFileName);
    location.postgresOptions = services::ReadSettingText("Journal/Connection");
    return location;
}

std::unique_ptr<JournalStore> OpenJournal(const JournalLocation& location, JournalError& error) {
    if (location.engine == Engine::Postgres) {
        // Qt's PostgreSQL driver needs libpq, which the Windows build has not.
        if constexpr (!kSharedJournalSupported) {
            error = {resources::strings::kMsgSharedJournalLinuxOnly};
            return nullptr;
        }
        return JournalStore::OpenPostgres(location.postgresOptions, error);
    }
    // A technician's first operation may come before anything else made the
    // data folder: the journal's home is made as the history log's is.
    services::EnsureDataFolders();
    return JournalStore::OpenSqlite(location.sqlitePath, error);
}

std::string LabName() { return services::ReadSettingText("Journal/Lab"); }

}  // namespace tb::journal
