#include "cli/BatchFile.h"

#include <array>

#include "cli/CliTexts.h"

namespace tb::cli {
namespace {

constexpr std::array<std::string_view, 10> kColumns = {
    "model",  "serial", "channel",    "before1",    "after1",
    "before2", "after2", "input_kind", "references", "ambient"};
constexpr std::size_t kRequiredColumns = 5;

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// Splits one line into fields; nothing when a quote is left open or a
// field is longer than kMaxFieldLength.
std::optional<std::vector<std::string>> SplitFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            if (fields.size() >= kColumns.size() + 1) return std::nullopt;
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
        if (fields.back().size() > kMaxFieldLength) return std::nullopt;
    }
    if (quoted) return std::nullopt;
    return fields;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// The header's column count (5 to 10), or 0 when it is not a prefix of the columns.
std::size_t HeaderColumns(std::string_view line) {
    const auto fields = SplitFields(line);
    if (!fields || fields->size() < kRequiredColumns || fields->size() > kColumns.size()) return 0;
    for (std::size_t i = 0; i < fields->size(); ++i)
        if (Trim((*fields)[i]) != kColumns[i]) return 0;
    return fields->size();
}

BatchFile Fail(BatchFile file, int line, std::string error) {
    file.rows.clear();
    file.error = std::move(error);
    file.errorLine = line;
    return file;
}

}  // namespace

BatchFile ParseBatchFile(std::string_view text) {
    BatchFile file;
    if (text.size() > kMaxBatchBytes)
        return Fail(file, 0,
                    Text(cli_text::BatchTooLarge,
                         {std::to_string(kMaxBatchRows), std::to_string(kMaxBatchBytes)}));
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a spreadsheet's BOM
    const std::vector<std::string_view> lines = Lines(text);
    std::size_t at = 0;
    while (at < lines.size() && IsBlank(lines[at])) ++at;
    if (at == lines.size()) return Fail(file, 0, Text(cli_text::BatchEmpty));
    const std::size_t columns = HeaderColumns(lines[at]);
    if (columns == 0) return Fail(file, static_cast<int>(at) + 1, Text(cli_text::BatchHeader));
    for (++at; at < lines.size(); ++at) {
        const int lineNumber = static_cast<int>(at) + 1;
        if (IsBlank(lines[at])) continue;
        const auto fields = SplitFields(lines[at]);
        if (!fields || fields->size() > columns)
            return Fail(file, lineNumber, Text(cli_text::BatchFieldCount));
        if (file.rows.size() == kMaxBatchRows)
            return Fail(file, lineNumber,
                        Text(cli_text::BatchTooLarge,
                             {std::to_string(kMaxBatchRows), std::to_string(kMaxBatchBytes)}));
        std::array<std::string, kColumns.size()> value{};
        for (std::size_t i = 0; i < fields->size(); ++i) value[i] = (*fields)[i];
        BatchRow row{lineNumber, Trim(value[0]), Trim(value[1]), Trim(value[2]), value[3],
                     value[4],   value[5],       value[6],       Trim(value[7]),
                     Trim(value[8]), Trim(value[9])};
        if (Trim(row.before1).empty() || Trim(row.after1).empty())
            return Fail(file, lineNumber, Text(cli_text::BatchMissingReading));
        if (Trim(row.before2).empty() != Trim(row.after2).empty())
            return Fail(file, lineNumber, Text(cli_text::BatchHalfSecondPoint));
        file.rows.push_back(std::move(row));
    }
    if (file.rows.empty()) return Fail(file, 0, Text(cli_text::BatchEmpty));
    return file;
}

}  // namespace tb::cli
