// The CSV file of `trimbench batch`: a header line
//     model,serial,channel,before1,after1,before2,after2,input_kind,references,ambient
// (the last five columns may be left out) and one logger adjustment per
// line. references names the row's reference instruments (identifiers
// separated by ';') and ambient its conditions ("T,RH", quoted); when
// given, they replace --reference and --ambient for that row. Fields may be quoted ("..." with "" for a quote); blank lines are
// skipped. The file is user text: its size, its line count and every
// field's length are bounded before anything is kept.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tb::cli {

inline constexpr std::size_t kMaxBatchBytes = 1 << 20;
inline constexpr std::size_t kMaxBatchRows = 10000;
inline constexpr std::size_t kMaxFieldLength = 64;

struct BatchRow {
    int line = 0;  // in the file, 1-based
    std::string model;
    std::string serial;  // may be empty: the only attached logger of the model
    std::string channel;
    std::string before1, after1, before2, after2;
    std::string inputKind;
    std::string references;
    std::string ambient;
};

struct BatchFile {
    std::vector<BatchRow> rows;
    // Empty when the file is sound; else the first fault and its line (0:
    // the file as a whole).
    std::string error;
    int errorLine = 0;
};

BatchFile ParseBatchFile(std::string_view text);

}  // namespace tb::cli
