#include "pages/AdjustChannel.h"

#include "pages/ChannelEntry.h"
#include "pages/DataExchange.h"
#include "pages/DialogView.h"
#include "pages/OperationRecord.h"

namespace tb::pages {

void AdjustChannel::Exchange(DialogView& view, bool save) {
    ExchangeCheck(view, save, ids_.adjust, ticked_);
    ExchangeRadio(view, save, ids_.onePoint, pointMode_);
    ExchangeText(view, save, ids_.before1, before1_);
    ExchangeText(view, save, ids_.before2, before2_);
    ExchangeText(view, save, ids_.after1, after1_);
    ExchangeText(view, save, ids_.after2, after2_);
    if (save && pointMode_ != 1) pointMode_ = 0;
}

void AdjustChannel::ApplyChannelRule(DialogView& view) const {
    for (int id :
         {ids_.onePoint, ids_.twoPoint, ids_.before1, ids_.after1, ids_.before2, ids_.after2}) {
        view.Enable(id, ticked_);
    }
}

void AdjustChannel::ApplyRowRule(DialogView& view) const {
    if (!ticked_) return;
    view.Enable(ids_.before1, true);
    view.Enable(ids_.after1, true);
    view.Enable(ids_.before2, pointMode_ == 1);
    view.Enable(ids_.after2, pointMode_ == 1);
}

std::vector<std::string> AdjustChannel::TypedPoints() const {
    return EnteredPoints(pointMode_ == 1, before1_, after1_, before2_, after2_);
}

void AdjustChannel::Untick(DialogView& view) {
    ticked_ = false;
    view.SetCheck(ids_.adjust, false);
}

std::optional<Correction> AdjustChannel::DeriveEntered(DialogView& view, CheckKind kind) const {
    const bool twoPoint = pointMode_ == 1;
    const std::optional<ChannelEntry> entry =
        ReadChannelEntry(view, {ids_.before1, ids_.after1, ids_.before2, ids_.after2}, twoPoint);
    if (!entry) return std::nullopt;
    return twoPoint ? DeriveTwoPoint(kind, current.slope, current.offset, entry->x1, entry->x2,
                                     entry->y1, entry->y2)
                    : DeriveOnePoint(kind, entry->x1, entry->y1, current.offset);
}

// A correction that passed the limits can still leave the codes' range when
// the logger already holds a steep slope: the two-point offset check weighs
// the current offset with the product slope, the composition with the
// entered one. It is refused with the message of the limit it breaks.
int AdjustChannel::UnfitMessage(CodeFit fit, CheckKind kind) const {
    const KindLimits& limits = LimitsOf(kind);
    switch (fit) {
        case CodeFit::Fits:
            return 0;
        case CodeFit::SlopeDoesNotFit:
            return limits.slopeMessage;
        case CodeFit::OffsetDoesNotFit:
            return pointMode_ == 1 ? limits.twoPointOffsetMessage : limits.onePointOffsetMessage;
    }
    return 0;
}

void AdjustChannel::SetUnitLabels(DialogView& view, const std::string& unit) const {
    for (int id : {ids_.unitBefore1, ids_.unitAfter1, ids_.unitBefore2, ids_.unitAfter2}) {
        view.SetText(id, unit);
    }
}

void AdjustChannel::ShowLine(DialogView& view, const std::string& text) const {
    view.SetText(ids_.currentLine, text);
}

}  // namespace tb::pages
