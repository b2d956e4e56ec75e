// The command line's own texts, in Japanese or English after the interface
// language (string 1047: 0 is Japanese, any other number English). The
// pages' messages come from the string table as in the window.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tb::cli {

enum class T {
    Usage,
    HelpList,
    HelpRead,
    HelpAdjust,
    HelpInitialise,
    HelpBatch,
    HelpHistory,
    OptPair,
    BadPair,
    PairNeeded,
    NoHistory,
    OptSerial,
    OptPort,
    OptJson,
    OptYes,
    OptDryRun,
    OptChannel,
    OptPoint,
    OptUnit,
    OptInputKind,
    OptKeepGoing,
    OptLan,
    OptLogin,
    AnsweredYes,
    YesNoPrompt,
    UnknownCommand,
    UnknownModel,
    MissingModel,
    ExtraArguments,
    BadChannel,
    MissingChannel,
    BadPoint,
    PointCount,
    ReadingTooLong,
    FixedReading,
    BadUnit,
    BadSerial,
    BadPort,
    SerialNotForModel,
    PortNotForModel,
    DryRunWithYes,
    InputKindNotForModel,
    BadInputKind,
    NoLoggerOfModel,
    NoLoggerNamed,
    SeveralLoggers,
    WithinLimits,
    ToWrite,
    DryRunNothingWritten,
    DryRunNoInitialise,
    CannotReadFile,
    BatchLine,
    BatchHeader,
    BatchEmpty,
    BatchTooLarge,
    BatchFieldCount,
    BatchMissingReading,
    BatchHalfSecondPoint,
    SummaryRow,
    SummaryLogger,
    SummaryChannel,
    SummaryResult,
    SummaryDone,
    SummaryFailed,
    NotRun,
    ListModel,
    ListSerial,
    ListCom,
    ListVia,
    ListNone,
    BadLan,
    MissingLogin,
    LanFailed,
    UnknownLogger,
    HelpJournal,
    HelpCertificate,
    OptSince,
    OptModel,
    OptCsv,
    OptDate,
    OptOut,
    OptLanLogger,
    BadDate,
    CsvWithJson,
    JournalUnreadable,
    JournalNone,
    JournalColumns,
    MissingSerial,
    MissingOut,
    NoRecordFor,
    CertificateWritten,
    CertificateFailed,
    LanWithSerial,
    LanNotForModel,
};

// The text in the interface language.
std::string Text(T id);
// The text with %1, %2, ... replaced by the arguments.
std::string Text(T id, std::initializer_list<std::string_view> args);

// True when the interface language is Japanese.
bool JapaneseInterface();

}  // namespace tb::cli
