// trimbench journal grant-writer ROLE [--postgresql OPTIONS]
//
// A lab's administrator makes the role its benches' users belong to: it may
// append rows to the shared journal and read them, nothing else.
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/JournalAccess.h"
#include "journal/JournalSchema.h"

namespace tb::cli {

int RunJournalGrant(const QStringList& arguments, Terminal& terminal) {
    CommandParser parser(cli_text::HelpGrantWriter, "ROLE");
    AddJournalOptions(parser);
    int exit = 0;
    if (!parser.Parse(arguments, terminal, exit)) return exit;
    if (parser.Positional().size() != 1) return UsageError(terminal, Text(cli_text::GrantWriterUsage));
    const std::string role = parser.Positional()[0].toStdString();
    const bool json = parser.IsSet("json");
    const auto location = JournalLocationOf(parser, terminal, exit);
    if (!location) return exit;
    // Checked before opening: a SQLite journal is not created for nothing.
    if (location->engine != journal::Engine::Postgres) return UsageError(terminal, Text(cli_text::GrantNeedsPostgres));
    const auto store = OpenJournalOf(parser, terminal, exit);
    if (!store) return exit;
    journal::JournalError error;
    if (!journal::GrantJournalWriter(store->Database(), role, error))
        return FinishJournalCommand("journal grant-writer", ExitCode::Failure,
                                    journal::JournalErrorText(error), json, terminal);
    return FinishJournalCommand("journal grant-writer", ExitCode::Done, Text(cli_text::GrantDone, {role}),
                                json, terminal, {{"role", QString::fromStdString(role)}});
}

}  // namespace tb::cli
