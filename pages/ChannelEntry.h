// Reading one channel's readings from its edit boxes.
//
// A one-point entry is the "before" and "after" box of row 1; a two-point
// entry adds row 2. The boxes are read in the order before 1, after 1,
// before 2, after 2; the first one that does not hold a number ends the
// reading with kMsgEnterNumbers and the focus on that box. Later boxes are not
// looked at.
#pragma once

#include <optional>

namespace tb::pages {

class DialogView;

// Control ids of a channel's four edit boxes.
struct EntryBoxes {
    int before1;
    int after1;
    int before2;
    int after2;
};

// The readings: (x1, y1) of row 1 and, for a two-point entry, (x2, y2).
struct ChannelEntry {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

// The readings, or nothing after the input error was reported.
std::optional<ChannelEntry> ReadChannelEntry(DialogView& view, const EntryBoxes& boxes,
                                             bool twoPoint);

}  // namespace tb::pages
