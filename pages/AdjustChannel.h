// One adjustment channel of a base-unit page: its state, its enable rules
// and the reading of its entry. Every base-unit page (one-channel,
// temperature/humidity, multi-input) holds one or two of these.
//
//   rule A: the radios and the four boxes are enabled exactly when the
//           channel is ticked;
//   rule B: while ticked, row 1 is enabled and row 2 exactly when the
//           two-point radio is chosen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pages/BaseUnitLogger.h"
#include "pages/CorrectionFormula.h"

namespace tb::pages {

class DialogView;

// The controls of one channel.
struct ChannelIds {
    int adjust;
    int onePoint;  // first of the one-/two-point radio group
    int twoPoint;
    int before1, after1, before2, after2;
    int unitBefore1, unitAfter1, unitBefore2, unitAfter2;
    int currentLine;
};

class AdjustChannel {
  public:
    explicit AdjustChannel(const ChannelIds& ids) : ids_(ids) {}

    const ChannelIds& Ids() const { return ids_; }
    bool Ticked() const { return ticked_; }
    int PointMode() const { return pointMode_; }

    // The logger's correction as last read, and the one last prepared for
    // writing; both the identity until then.
    Correction current;
    Correction composed;

    // Moves the tick, the radio choice and the four texts to (save == false)
    // or from (save == true) the controls.
    void Exchange(DialogView& view, bool save);
    void ApplyChannelRule(DialogView& view) const;
    void ApplyRowRule(DialogView& view) const;
    // Clears the tick in the state and in the box; the rules are not applied.
    void Untick(DialogView& view);

    // Reads the boxes and derives the entered correction on top of
    // `current`; nothing after the input error or refusal was shown.
    std::optional<Correction> DeriveEntered(DialogView& view, CheckKind kind) const;
    // The limit message that refuses a composed correction the logger cannot
    // hold, or 0 when it fits.
    int UnfitMessage(CodeFit fit, CheckKind kind) const;

    // The readings as typed: before 1, after 1 and, for two points, before 2, after 2.
    std::vector<std::string> TypedPoints() const;

    void SetUnitLabels(DialogView& view, const std::string& unit) const;
    void ShowLine(DialogView& view, const std::string& text) const;

  private:
    ChannelIds ids_;
    bool ticked_ = false;
    int pointMode_ = 0;
    std::string before1_, after1_, before2_, after2_;
};

}  // namespace tb::pages
