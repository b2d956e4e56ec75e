#include "cli/JournalAccess.h"

#include "cli/Arguments.h"
#include "cli/CliTexts.h"
#include "cli/ExitCode.h"
#include "cli/LoggerDirectory.h"
#include "journal/JournalLocation.h"

namespace tb::cli {

std::unique_ptr<journal::JournalStore> OpenConfiguredJournal(Terminal& terminal, int& exit) {
    std::string error;
    auto store = journal::OpenJournal(journal::ConfiguredLocation(), error);
    if (!store) {
        terminal.err << "trimbench: " << Text(T::JournalUnreadable, {error}) << '\n';
        exit = static_cast<int>(ExitCode::Failure);
    }
    return store;
}

std::string JournalSerial(const std::string& text) {
    const auto serial = ParseSerial(text);
    return serial ? LoggerLabel({serial, std::nullopt, std::nullopt}) : text;
}

std::string JournalPage(const ModelRow& row) { return std::string(row.page); }

std::optional<QDate> ParseDay(const std::string& text, Terminal& terminal, int& exit) {
    const QDate day = QDate::fromString(QString::fromStdString(text), Qt::ISODate);
    if (!day.isValid() || text.size() != 10) {
        terminal.err << "trimbench: " << Text(T::BadDate, {text}) << '\n';
        exit = static_cast<int>(ExitCode::RefusedInput);
        return std::nullopt;
    }
    return day;
}

}  // namespace tb::cli
