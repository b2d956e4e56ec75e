// The page of the model-875 logger: CO2 (Ch.1) on the first tab,
// temperature (Ch.2) and humidity (Ch.3) on the second.
#pragma once

#include <array>

#include "pages/lgr87x/DirectUsbPage.h"

namespace tb::pages::lgr87x {

// The model-875 table: library, dialog 135, channels, limits and texts.
const ModelTable& Lgr875Model();

class CPageLgr875 final : public CDirectUsbPage {
  public:
    CPageLgr875();
    bool OnCommand(int id) override;

  private:
    void OnSend() { Send(); }
    void OnInitialise() { Initialise(); }
    void OnReceive() { Receive(); }
    void OnHelp() { Help(); }
    void OnTab() { TabChanged(); }
    void OnTick1() { ChannelTicked(0); }
    void OnTick2() { ChannelTicked(2); }
    void OnTick3() { ChannelTicked(3); }
    void OnKind1() { KindChosen(0); }
    void OnKind2() { KindChosen(2); }
    void OnKind3() { KindChosen(3); }

    static const std::array<CommandEntry<CPageLgr875>, 14> kCommands;
};

}  // namespace tb::pages::lgr87x
