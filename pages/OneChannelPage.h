// The one-channel temperature pages (820/821 and 890): one temperature
// channel on the shared base-unit page behaviour. A page differs only in
// its dialog and in the logger it binds.
#pragma once

#include <memory>

#include "pages/BaseUnitPage.h"

namespace tb::pages {

// Control ids of both one-channel dialogs.
namespace one_channel {
inline constexpr int kGroup = 1112;
inline constexpr int kAdjustChannel = 1021;
inline constexpr int kCurrentLine = 1076;
inline constexpr int kOnePoint = 1015;
inline constexpr int kTwoPoint = 1026;
inline constexpr int kBefore1 = 1016;
inline constexpr int kAfter1 = 1018;
inline constexpr int kBefore2 = 1019;
inline constexpr int kAfter2 = 1020;
inline constexpr int kUnitBefore1 = 1118;
inline constexpr int kUnitBefore2 = 1120;
inline constexpr int kUnitAfter1 = 1119;
inline constexpr int kUnitAfter2 = 1121;
inline constexpr int kInitialise = 1014;
inline constexpr int kSend = 1130;
inline constexpr int kReceive = 1134;
inline constexpr int kHelp = 1013;
inline constexpr int kEditLength = 6;
}  // namespace one_channel

class COneChannelPage : public CBaseUnitPage {
  public:
    COneChannelPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger);

    // The page state, for the window and for tests.
    bool AdjustChannel() const { return Channel(0).Ticked(); }
    int PointMode() const { return Channel(0).PointMode(); }
    const Correction& Current() const { return Channel(0).current; }
    const Correction& Composed() const { return Channel(0).composed; }

  protected:
    void ChannelClicked() { CBaseUnitPage::ChannelClicked(0); }
    void PointModeClicked() { CBaseUnitPage::PointModeClicked(0); }
};

}  // namespace tb::pages
