// The subcommands. Each takes the arguments from its own name on.
#pragma once

#include <QStringList>

#include "cli/Terminal.h"

namespace tb::cli {

int RunList(const QStringList& arguments, Terminal& terminal);
int RunRead(const QStringList& arguments, Terminal& terminal);
int RunAdjust(const QStringList& arguments, Terminal& terminal);
int RunInitialise(const QStringList& arguments, Terminal& terminal);
int RunBatch(const QStringList& arguments, Terminal& terminal);
int RunHistory(const QStringList& arguments, Terminal& terminal);
int RunJournal(const QStringList& arguments, Terminal& terminal);
int RunCertificate(const QStringList& arguments, Terminal& terminal);
// trimbench journal reference | verify | grant-writer ...
int RunJournalReference(const QStringList& arguments, Terminal& terminal);
int RunJournalVerify(const QStringList& arguments, Terminal& terminal);
int RunJournalDue(const QStringList& arguments, Terminal& terminal);
int RunJournalGrant(const QStringList& arguments, Terminal& terminal);

}  // namespace tb::cli
