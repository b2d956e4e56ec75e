// The one-channel temperature pages (820/821 and 890): one temperature
// channel on the shared base-unit page behaviour. A page differs only in
// its dialog and in the logger it binds.
#pragma once

#include <array>
#include <memory>

#include "pages/BaseUnitPage.h"
#include "resources/dialogs/OneChannelIds.h"

namespace tb::pages {

// Control ids of both one-channel dialogs.
namespace one_channel = resources::one_channel;

class COneChannelPage : public CBaseUnitPage {
  public:
    bool OnCommand(int id) override;

    // The page state, for the window and for tests.
    bool AdjustChannel() const { return Channel(0).Ticked(); }
    int PointMode() const { return Channel(0).PointMode(); }
    const Correction& Current() const { return Channel(0).current; }
    const Correction& Composed() const { return Channel(0).composed; }

  protected:
    COneChannelPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger);
    int EditLength() const override { return one_channel::kEditLength; }

  private:
    void OnChannel() { ChannelClicked(0); }
    void OnPointMode() { PointModeClicked(0); }

    static const std::array<CommandEntry<COneChannelPage>, 7> kCommands;
};

}  // namespace tb::pages
