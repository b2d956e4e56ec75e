#include "cli/CliTexts.h"

#include <array>
#include <vector>

#include "services/Settings.h"

namespace tb::cli {
namespace {

struct Entry {
    T id;
    std::string_view ja;
    std::string_view en;
};

constexpr Entry kTexts[] = {
    {T::Usage,
     "使い方: trimbench <サブコマンド> [オプション]\n\n"
     "サブコマンド:\n"
     "  list        接続されている機器の一覧\n"
     "  read        機器の現在の補正式を読む\n"
     "  adjust      補正式を求めて機器に書き込む\n"
     "  initialise  補正式を工場出荷時の状態に戻す\n"
     "  batch       CSV ファイルの各行を調整する (機器ごとに同時に)\n"
     "  history     調整履歴を表示する (870, 875)\n"
     "  journal     調整記録 (ジャーナル) の一覧\n"
     "  certificate 機器の1日分の調整の校正証明書 (PDF)\n\n"
     "各サブコマンドの説明: trimbench <サブコマンド> --help\n"
     "終了コードと --json の形: man trimbench\n",
     "usage: trimbench <subcommand> [options]\n\n"
     "subcommands:\n"
     "  list        the attached loggers\n"
     "  read        the current correction of a logger\n"
     "  adjust      derive a correction and write it into a logger\n"
     "  initialise  reset a logger's correction to the factory state\n"
     "  batch       adjust the loggers of a CSV file, devices side by side\n"
     "  history     the adjustment history a logger keeps (870, 875)\n"
     "  journal     the records of the adjustment journal\n"
     "  certificate the certificate (PDF) of a logger's adjustments on one day\n\n"
     "help on a subcommand: trimbench <subcommand> --help\n"
     "exit codes and the --json shape: man trimbench\n"},
    {T::HelpList, "接続されている機器 (ベースユニットとその子機、890 ケーブル) の一覧。",
     "Lists the attached loggers: base units with the logger behind each, the 890 cable."},
    {T::HelpRead, "機器が保持している各チャンネルの補正式を読みます。",
     "Reads the correction that the logger holds for each channel."},
    {T::HelpAdjust,
     "入力値から補正式を求め、機器の補正式と合成し、範囲を確認して書き込みます (画面と同じ処理)。",
     "Derives the correction from the readings, composes it with the logger's, checks the "
     "channel's limits and writes it, exactly as the window does."},
    {T::HelpInitialise, "機器の補正式を工場出荷時の状態 (y = 1.000x +0.000) に戻します。",
     "Resets the logger's correction to the factory state (y = 1.000x +0.000)."},
    {T::HelpBatch,
     "CSV ファイル (見出し model,serial,channel,before1,after1,before2,after2,input_kind) の"
     "各行を調整し、結果の表を出力します。異なる機器の行は同時に、同じ機器の行はファイルの順に"
     "調整します。",
     "Adjusts the loggers of a CSV file (header model,serial,channel,before1,after1,before2,"
     "after2,input_kind) and prints a table of the results. Rows of different devices run at "
     "the same time, rows of one device in the file's order."},
    {T::HelpHistory, "機器が保持している調整履歴 (センサごとに最新4件) を表示します (870, 875)。",
     "Shows the adjustment history the logger keeps, the last four per sensor (870, 875)."},
    {T::OptPair, "初期化するセンサ (870: IU, TH / 875: CO2, TH)",
     "the sensor pair to initialise (870: IU, TH; 875: CO2, TH)"},
    {T::BadPair, "機種 %2 にセンサ %1 はありません", "model %2 has no pair %1"},
    {T::PairNeeded, "機種 %1 は --pair か --channel で初期化するセンサを指定します",
     "model %1 needs --pair or --channel to name the sensor pair to initialise"},
    {T::NoHistory, "機種 %1 は調整履歴を保持しません (870, 875 のみ)",
     "model %1 keeps no adjustment history (only 870 and 875 do)"},
    {T::OptSerial, "シリアル番号 (16進8桁) で機器を指定", "the logger by serial number (hexadecimal)"},
    {T::OptPort, "COM 番号で機器を指定 (890 ケーブル)", "the logger by COM number (890 cable)"},
    {T::OptJson, "結果を JSON で出力", "print the result as JSON"},
    {T::OptYes, "確認にすべて「はい」と答える", "answer Yes to every confirmation"},
    {T::OptDryRun, "合成した補正式と範囲の判定を表示するだけで書き込まない",
     "print the composed correction and the limit verdict; write nothing"},
    {T::OptChannel, "調整するチャンネル", "the channel to adjust"},
    {T::OptPoint, "調整前:調整後 (1点調整は1回、2点調整は2回)",
     "BEFORE:AFTER (once for one-point, twice for two-point adjustment)"},
    {T::OptUnit, "温度の単位 C または F (省略時は設定のとおり)",
     "temperature unit C or F (default: the program's setting)"},
    {T::OptInputKind, "入力の種類 (850)", "input kind (850)"},
    {T::OptKeepGoing, "失敗した行があっても残りの行を続ける", "go on after a failed row"},
    {T::OptLan, "LAN 上のベースユニット", "a base unit on the LAN"},
    {T::OptLogin, "LAN のログイン文字列", "the LAN login text"},
    {T::AnsweredYes, "(--yes: はい)", "(--yes: yes)"},
    {T::YesNoPrompt, "[y/N] ", "[y/N] "},
    {T::UnknownCommand, "不明なサブコマンドです: %1", "unknown subcommand: %1"},
    {T::UnknownModel, "不明な機種です: %1 (機種: %2)", "unknown model: %1 (models: %2)"},
    {T::MissingModel, "機種を指定してください (機種: %1)", "name the model (models: %1)"},
    {T::ExtraArguments, "余分な引数があります: %1", "unexpected argument: %1"},
    {T::BadChannel, "チャンネル %1 はありません (機種 %2: 1〜%3)",
     "there is no channel %1 (model %2: 1 to %3)"},
    {T::MissingChannel, "--channel を指定してください", "give --channel"},
    {T::BadPoint, "--point は 調整前:調整後 の形で指定してください: %1",
     "--point takes BEFORE:AFTER: %1"},
    {T::PointCount, "--point は1回 (1点調整) か2回 (2点調整) 指定してください",
     "give --point once (one-point) or twice (two-point adjustment)"},
    {T::ReadingTooLong, "入力値 \"%1\" が %2 文字を超えています", "reading \"%1\" is longer than %2 characters"},
    {T::FixedReading, "この入力値は画面で %1 に固定されています (指定: %2)",
     "the page fixes this reading at %1 (given: %2)"},
    {T::BadUnit, "--unit は C か F です: %1", "--unit takes C or F: %1"},
    {T::BadSerial, "シリアル番号は16進数8桁までです: %1",
     "a serial number is up to eight hexadecimal digits: %1"},
    {T::BadPort, "COM 番号は 1〜256 です: %1", "a COM number is 1 to 256: %1"},
    {T::SerialNotForModel, "機種 %1 は --serial ではなく --port で指定します",
     "model %1 is named by --port, not --serial"},
    {T::PortNotForModel, "機種 %1 は --port ではなく --serial で指定します",
     "model %1 is named by --serial, not --port"},
    {T::DryRunWithYes, "--dry-run と --yes は同時に指定できません",
     "--dry-run and --yes exclude each other"},
    {T::InputKindNotForModel, "機種 %1 には入力の種類がありません", "model %1 has no input kind"},
    {T::BadInputKind, "入力の種類 %1 はありません (種類: %2)", "no input kind %1 (kinds: %2)"},
    {T::NoLoggerOfModel, "機種 %1 の機器が接続されていません", "no %1 logger is attached"},
    {T::NoLoggerNamed, "%2 に機種 %1 の機器が接続されていません", "no %1 logger at %2"},
    {T::SeveralLoggers, "機種 %1 の機器が複数接続されています (%2)。--serial か --port で指定してください",
     "several %1 loggers are attached (%2): name one with --serial or --port"},
    {T::WithinLimits, "範囲内です", "within the channel's limits"},
    {T::ToWrite, "書き込む補正式 Ch.%1: %2", "correction to write, channel %1: %2"},
    {T::DryRunNothingWritten, "--dry-run: 書き込みは行いませんでした",
     "dry run: nothing was written"},
    {T::DryRunNoInitialise, "--dry-run: 初期化は行いませんでした",
     "dry run: the logger was not initialised"},
    {T::CannotReadFile, "ファイルを読めません: %1", "cannot read %1"},
    {T::BatchLine, "%1 行目: %2", "line %1: %2"},
    {T::BatchHeader, "見出し行は model,serial,channel,before1,after1[,before2,after2[,input_kind]] です",
     "the header is model,serial,channel,before1,after1[,before2,after2[,input_kind]]"},
    {T::BatchEmpty, "調整する行がありません", "no rows to adjust"},
    {T::BatchTooLarge, "ファイルが大きすぎます (%1 行または %2 バイトまで)",
     "the file is too large (at most %1 rows or %2 bytes)"},
    {T::BatchFieldCount, "列の数が見出しと合いません", "the row has more fields than the header"},
    {T::BatchMissingReading, "before1 と after1 が必要です", "before1 and after1 are needed"},
    {T::BatchHalfSecondPoint, "before2 と after2 は両方とも指定するか両方とも空にします",
     "before2 and after2 go together: give both or neither"},
    {T::SummaryRow, "行", "row"},
    {T::SummaryLogger, "機器", "logger"},
    {T::SummaryChannel, "Ch", "channel"},
    {T::SummaryResult, "結果", "result"},
    {T::SummaryDone, "%1 行すべて完了しました", "all %1 rows done"},
    {T::SummaryFailed, "%2 行中 %1 行が失敗しました", "%1 of %2 rows failed"},
    {T::NotRun, "未実行", "not run"},
    {T::ListModel, "機種", "model"},
    {T::ListSerial, "シリアル", "serial"},
    {T::ListCom, "COM", "COM"},
    {T::ListVia, "接続", "via"},
    {T::ListNone, "接続されている機器はありません", "no logger is attached"},
    {T::BadLan, "--lan は ホスト:ポート の形で指定します: %1", "--lan takes HOST:PORT: %1"},
    {T::MissingLogin, "--lan には --login が必要です", "--lan needs --login"},
    {T::LanFailed, "LAN のベースユニットに接続できません (%1)",
     "cannot reach the base unit on the LAN (%1)"},
    {T::UnknownLogger, "不明", "unknown"},
    {T::HelpJournal,
     "調整記録 (ジャーナル) を新しい順に一覧表示します。verify: 記録の連鎖を確かめます。"
     "export-csv FILE: CSV ファイルに書き出します。grant-writer ROLE: PostgreSQL の書き込みロールを作ります。"
     "reference: 基準器の登録簿。",
     "Lists the records of the adjustment journal, newest first; verify: checks the journal's "
     "chain; export-csv FILE: writes them to a CSV file; grant-writer ROLE: makes the PostgreSQL "
     "writer role; reference: the register of reference instruments."},
    {T::HelpCertificate,
     "機器の1日分 (省略時は最後に調整した日) の調整の校正証明書を PDF で書き出します。",
     "Writes the certificate (PDF) of a logger's adjustments on one day (default: the day of "
     "its latest adjustment)."},
    {T::OptSince, "この日 (YYYY-MM-DD) 以降の記録", "records from this day (YYYY-MM-DD) on"},
    {T::OptModel, "この機種の記録", "records of this model"},
    {T::OptCsv, "ジャーナル画面の書き出しと同じ CSV で出力",
     "print CSV, as the journal window exports it"},
    {T::OptDate, "証明書の日 (YYYY-MM-DD)", "the day of the certificate (YYYY-MM-DD)"},
    {T::OptOut, "書き出す PDF ファイル", "the PDF file to write"},
    {T::OptLanLogger, "LAN 上のベースユニットの機器 (--login と共に)",
     "the logger behind a base unit on the LAN (with --login)"},
    {T::BadDate, "日付は YYYY-MM-DD の形で指定します: %1", "a date takes the form YYYY-MM-DD: %1"},
    {T::CsvWithJson, "--csv と --json は同時に指定できません", "--csv and --json exclude each other"},
    {T::JournalUnreadable, "ジャーナルを開けません: %1", "cannot open the journal: %1"},
    {T::JournalNone, "該当する記録はありません", "no records"},
    {T::JournalColumns, "番号|日時|機種|操作|シリアル|結果|調整後", "id|time|model|operation|serial|outcome|as left"},
    {T::MissingSerial, "--serial を指定してください", "give --serial"},
    {T::MissingOut, "--out を指定してください", "give --out"},
    {T::NoRecordFor, "シリアル %1 の調整の記録がありません%2", "the journal holds no adjustment of %1%2"},
    {T::CertificateWritten, "証明書を書き出しました: %1 (%2 件)", "certificate written: %1 (%2 records)"},
    {T::CertificateFailed, "証明書を書き出せません: %1", "cannot write the certificate: %1"},
    {T::LanWithSerial, "--lan と --serial / --port は同時に指定できません",
     "--lan excludes --serial and --port"},
    {T::LanNotForModel, "機種 %1 は LAN のベースユニットでは使えません",
     "model %1 is not reached through a base unit on the LAN"},
    {T::HelpReference,
     "基準器の登録簿: add ID --description 説明 --certificate 番号 --calibrated 日 --due 日 | "
     "retire ID | list",
     "The register of reference instruments: add ID --description TEXT --certificate NUMBER "
     "--calibrated DATE --due DATE | retire ID | list"},
    {T::OptReference, "使用する基準器の ID (複数指定可)", "a reference instrument in use (repeatable)"},
    {T::OptAllowExpired, "校正期限を過ぎた基準器も使う (記録に残ります)",
     "use a reference past its due date (the journal records it)"},
    {T::OptAmbient, "周囲温度と相対湿度 (°C,%)", "ambient temperature and relative humidity (°C,%)"},
    {T::OptDescription, "基準器の説明", "what the instrument is"},
    {T::OptCertificateNumber, "基準器の校正証明書番号", "the number of its calibration certificate"},
    {T::OptCalibrated, "校正日 (YYYY-MM-DD)", "calibrated on (YYYY-MM-DD)"},
    {T::OptDue, "次回校正期限 (YYYY-MM-DD)", "next calibration due (YYYY-MM-DD)"},
    {T::OptCertificateFile, "照合する証明書 (PDF ファイル)", "the certificate (PDF file) to check"},
    {T::OptCustomer, "証明書に記す依頼者 (設定 Journal/Customer に優先)",
     "the customer named on the certificate (over the Journal/Customer setting)"},
    {T::OptDrift, "機器の最近の調整のドリフト (受入時の補正の推移) のグラフを含める",
     "include the chart of the logger's drift over its last visits"},
    {T::ReferenceUsage, "reference の後に add ID, retire ID または list を指定してください",
     "reference takes add ID, retire ID or list"},
    {T::ReferenceAdded, "基準器 %1 を登録しました (期限 %2)", "reference %1 registered (due %2)"},
    {T::ReferenceRetired, "基準器 %1 を廃止しました", "reference %1 retired"},
    {T::ReferenceRefused, "基準器を登録できません: %1", "reference refused: %1"},
    {T::ReferenceUnknown, "基準器 %1 は登録簿にありません", "reference %1 is not in the register"},
    {T::ReferenceWasRetired, "基準器 %1 は廃止済みです", "reference %1 is retired"},
    {T::ReferenceExpired,
     "基準器 %1 は校正期限 (%2) を過ぎています。使うには --allow-expired-reference を指定してください",
     "reference %1 is past its due date (%2); give --allow-expired-reference to use it anyway"},
    {T::ReferenceTooMany, "基準器は %1 台まで指定できます", "at most %1 references can be in use"},
    {T::ReferenceColumns, "ID|説明|証明書番号|校正日|期限|状態", "id|description|certificate|calibrated|due|state"},
    {T::ReferenceNone, "基準器は登録されていません", "the register holds no reference"},
    {T::BadAmbient, "周囲条件を受け付けません: %1", "ambient conditions refused: %1"},
    {T::BatchRowConditions, "%1 行目: %2", "line %1: %2"},
    {T::HelpVerify,
     "ジャーナルの連鎖を検証します。--certificate で証明書が改変のないジャーナルと一致するかを確かめます。",
     "Verifies the journal's chain; with --certificate, that a certificate matches the untouched "
     "journal."},
    {T::VerifyIntact, "ジャーナルの連鎖は正常です (%1 件)", "the journal's chain is intact (%1 rows)"},
    {T::VerifyBroken, "ジャーナルの連鎖が %1 番の記録で切れています", "the journal's chain breaks at row %1"},
    {T::CertificateMatches, "証明書 %1 はジャーナルの記録 %2 件と一致します",
     "certificate %1 matches %2 rows of the journal"},
    {T::CertificateDiffers, "証明書 %1 はジャーナルと一致しません: %2",
     "certificate %1 does not match the journal: %2"},
    {T::OptJobs, "同時に調整する機器の数 (既定: 接続されている機器すべて、1: 1行ずつ順に)",
     "how many devices to adjust at the same time (default: every attached device the file "
     "names; 1: row after row)"},
    {T::BadJobs, "--jobs は 1〜64 です: %1", "--jobs takes 1 to 64: %1"},
    {T::PortBusy, "%1 は他のプログラムが使用中です", "%1 is in use by another program"},
    {T::TimeLeft, "残り %1", "%1 left"},
    {T::Interrupted, "中断しました: 新しい行は開始していません",
     "interrupted: no new row was started"},
    {T::WorkerLost, "%1 の作業プロセスが行の途中で終了しました",
     "the worker process of %1 ended during the row"},
    {T::WorkerNotStarted, "作業プロセスを起動できません: %1", "cannot start a worker process: %1"},
    {T::OptJournalSqlite, "設定の代わりにこの SQLite ファイルのジャーナル",
     "the journal in this SQLite file instead of the configured one"},
    {T::OptJournalPostgres, "設定の代わりにこの PostgreSQL 接続 (libpq のオプション、パスワードなし) のジャーナル",
     "the journal at these PostgreSQL options (libpq, no password) instead of the configured one"},
    {T::OneJournal, "--sqlite と --postgresql は同時に指定できません",
     "--sqlite and --postgresql exclude each other"},
    {T::HelpExportCsv, "ジャーナルの記録を新しい順に、ジャーナル画面の書き出しと同じ CSV ファイルに書き出します。",
     "Writes the journal's records, newest first, to a CSV file as the journal window exports them."},
    {T::ExportCsvUsage, "export-csv の後に書き出すファイルを1つ指定してください",
     "export-csv takes the one file to write"},
    {T::CsvWritten, "%2 に %1 件を書き出しました", "%1 rows written to %2"},
    {T::CsvNotWritten, "%1 を書き出せません: %2", "cannot write %1: %2"},
    {T::HelpGrantWriter,
     "PostgreSQL のジャーナル: ロール (なければ作成) に記録の追加と読み取りだけを許可します。",
     "PostgreSQL journal: gives the role (created when missing) INSERT and SELECT only."},
    {T::GrantWriterUsage, "grant-writer の後にロール名を1つ指定してください",
     "grant-writer takes the one role name"},
    {T::GrantNeedsPostgres, "grant-writer には PostgreSQL のジャーナルが必要です",
     "grant-writer needs the PostgreSQL journal"},
    {T::GrantFailed, "権限を与えられません: %1", "cannot grant: %1"},
    {T::GrantDone, "%1 はジャーナルに記録を追加し、読み取ることができます",
     "%1 may append to and read the journal"},
};

}  // namespace

bool JapaneseInterface() { return services::LanguageNumber() == 0; }

std::string Text(T id) {
    const bool japanese = JapaneseInterface();
    for (const Entry& entry : kTexts)
        if (entry.id == id) return std::string(japanese ? entry.ja : entry.en);
    return {};
}

std::string Text(T id, std::initializer_list<std::string_view> args) {
    const std::string format = Text(id);
    const std::vector<std::string_view> values(args);
    std::string result;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next >= '1' && next <= '9') {
            const std::size_t index = static_cast<std::size_t>(next - '1');
            if (index < values.size()) result += values[index];
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

}  // namespace tb::cli
