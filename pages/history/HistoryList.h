// The history list of one sensor: its columns and its row texts.
#pragma once

#include <string>
#include <vector>

#include "pages/DialogView.h"
#include "pages/history/HistorySensor.h"

namespace tb::history {

// Rebuilds the list's columns: the five history columns (kStrHistoryBlank
// to kStrHistoryBeforeAfter, widths 16, 130, 32, 128, 180) when ok, else one column with
// an empty header 360 pixels wide. When ok the rows are cleared too.
void SetupHistoryColumns(pages::DialogView& view, int listId, bool ok);

// Rebuilds the list's rows: kMsgHistoryReadFailed as the only row when not
// ok, else one row per valid entry, oldest first (HistoryRows).
void FillHistoryList(pages::DialogView& view, const HistorySensor& sensor, bool ok);

// The row texts of the valid entries: number, date and time, channel,
// adjustment points, values ("before --> after", two points joined by " / ").
std::vector<std::vector<std::string>> HistoryRows(const HistorySensor& sensor);

}  // namespace tb::history
