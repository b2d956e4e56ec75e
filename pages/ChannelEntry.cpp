#include "pages/ChannelEntry.h"

#include <array>

#include "pages/CorrectionFormula.h"
#include "pages/DialogView.h"

namespace tb::pages {

std::optional<ChannelEntry> ReadChannelEntry(DialogView& view, const EntryBoxes& boxes,
                                             bool twoPoint) {
    ChannelEntry entry;
    const std::array<std::pair<int, double*>, 4> order{{{boxes.before1, &entry.x1},
                                                        {boxes.after1, &entry.y1},
                                                        {boxes.before2, &entry.x2},
                                                        {boxes.after2, &entry.y2}}};
    const std::size_t count = twoPoint ? 4 : 2;
    for (std::size_t i = 0; i < count; ++i) {
        const auto [box, value] = order[i];
        const ParsedNumber parsed = ParseNumber(view.Text(box));
        if (!parsed.accepted) {
            ReportInputError(kMsgEnterNumbers, box, view);
            return std::nullopt;
        }
        *value = parsed.value;
    }
    return entry;
}

}  // namespace tb::pages
