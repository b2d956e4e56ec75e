#include "cli/BatchReport.h"

#include "cli/CliTexts.h"
#include "cli/JsonOutput.h"
#include "cli/TextColumns.h"

namespace tb::cli {
namespace {

constexpr std::size_t kBarWidth = 30;

std::string MinutesSeconds(double seconds) {
    const long whole = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

}  // namespace

BatchReport::BatchReport(const std::vector<BatchRow>& rows, bool json, Terminal& terminal)
    : rows_(rows), finished_(rows.size()), done_(rows.size(), false), json_(json), terminal_(terminal) {
    for (std::size_t i = 0; i < rows.size(); ++i) finished_[i] = NotRunRow(rows[i]);
    DrawProgress();
}

void BatchReport::Finished(std::size_t index, const std::string& device, FinishedRow row) {
    if (index >= rows_.size() || done_[index]) return;
    done_[index] = true;
    ++doneCount_;
    if (!json_) {
        ClearProgress();
        terminal_.out << Column(device.empty() ? row.logger : device, 15)
                      << Text(cli_text::SummaryRow) << ' ' << Column(std::to_string(row.line), 6)
                      << Column(ResultName(row.code), 13) << row.reason << '\n';
        terminal_.out.flush();
    }
    finished_[index] = std::move(row);
    DrawProgress();
}

ExitCode BatchReport::FirstFailure() const {
    bool incomplete = false;
    for (const FinishedRow& row : finished_) {
        if (row.ran && IsFailure(row.code)) return row.code;
        incomplete = incomplete || (row.ran && row.code == ExitCode::WrittenIncomplete);
    }
    return incomplete ? ExitCode::WrittenIncomplete : ExitCode::Done;
}

void BatchReport::ClearProgress() {
    if (terminal_.interactive) terminal_.err << "\r\033[K";
}

void BatchReport::DrawProgress() {
    if (!terminal_.interactive) return;
    const std::size_t total = rows_.size();
    const std::size_t filled = total ? doneCount_ * kBarWidth / total : kBarWidth;
    terminal_.err << "\r\033[K[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.')
                  << "] " << doneCount_ << '/' << total;
    if (doneCount_ > 0 && doneCount_ < total) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const double left = elapsed / static_cast<double>(doneCount_) * static_cast<double>(total - doneCount_);
        terminal_.err << "  " << Text(cli_text::TimeLeft, {MinutesSeconds(left)});
    }
    terminal_.err.flush();
}

void BatchReport::PrintEnd(ExitCode code, bool interrupted) {
    if (terminal_.interactive) terminal_.err << '\n';
    if (interrupted) terminal_.err << "trimbench: " << Text(cli_text::Interrupted) << '\n';
    if (json_) {
        QJsonArray array;
        for (const FinishedRow& row : finished_) array.append(row.json);
        QJsonObject object{{"command", "batch"},
                           {"result", QString::fromUtf8(ResultName(code).data())},
                           {"exitCode", static_cast<int>(code)},
                           {"rows", array}};
        if (interrupted) {
            object["result"] = "interrupted";
            object["exitCode"] = kInterruptedExit;
        }
        PrintJson(terminal_, object);
        return;
    }
    auto& out = terminal_.out;
    out << Column(Text(cli_text::SummaryRow), 6) << Column(Text(cli_text::SummaryLogger), 10)
        << Column(Text(cli_text::SummaryChannel), 9) << Column(Text(cli_text::SummaryResult), 15)
        << '\n';
    std::size_t failed = 0;
    std::size_t incomplete = 0;
    for (std::size_t i = 0; i < finished_.size(); ++i) {
        const FinishedRow& row = finished_[i];
        const std::string result =
            row.ran ? std::string(ResultName(row.code)) : Text(cli_text::NotRun);
        out << Column(std::to_string(row.line), 6) << Column(row.logger, 10)
            << Column(rows_[i].channel, 9) << Column(result, 15) << row.reason << '\n';
        if (!row.ran || IsFailure(row.code)) ++failed;
        if (row.ran && row.code == ExitCode::WrittenIncomplete) ++incomplete;
    }
    // Their corrections are in the loggers: running them again would apply
    // them twice.
    if (incomplete > 0)
        out << Text(cli_text::SummaryWrittenIncomplete, {std::to_string(incomplete)}) << '\n';
    out << (failed == 0 ? Text(cli_text::SummaryDone, {std::to_string(finished_.size())})
                        : Text(cli_text::SummaryFailed,
                               {std::to_string(failed), std::to_string(finished_.size())}))
        << '\n';
}

}  // namespace tb::cli
