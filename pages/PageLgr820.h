// The page of the one-channel loggers 820 and 821 behind a base unit.
#pragma once

#include <array>

#include "pages/OneChannelPage.h"

namespace tb::pages {

class CPageLgr820 final : public COneChannelPage {
  public:
    explicit CPageLgr820(std::unique_ptr<BaseUnitLogger> logger);
    bool OnCommand(int id) override;

  private:
    void OnInitialise() { Initialise(); }
    void OnSend() { Send(); }
    void OnReceive() { Receive(); }
    void OnHelp() { Help(); }
    void OnChannel() { ChannelClicked(); }
    void OnPointMode() { PointModeClicked(); }

    static const std::array<CommandEntry<CPageLgr820>, 7> kCommands;
};

}  // namespace tb::pages
