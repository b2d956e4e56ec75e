// The page of the model-890 logger on its own USB serial cable.
#pragma once

#include <array>

#include "pages/OneChannelPage.h"

namespace tb::pages {

class CPageLgr890 final : public COneChannelPage {
  public:
    explicit CPageLgr890(std::unique_ptr<BaseUnitLogger> logger);
    bool OnCommand(int id) override;

  private:
    void OnInitialise() { Initialise(); }
    void OnSend() { Send(); }
    void OnReceive() { Receive(); }
    void OnHelp() { Help(); }
    void OnChannel() { ChannelClicked(); }
    void OnPointMode() { PointModeClicked(); }

    static const std::array<CommandEntry<CPageLgr890>, 7> kCommands;
};

}  // namespace tb::pages
