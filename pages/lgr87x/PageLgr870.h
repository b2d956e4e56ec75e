// The page of the model-870 logger: illuminance (Ch.1) and UV (Ch.2) on the
// first tab, temperature (Ch.3) and humidity (Ch.4) on the second.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "pages/lgr87x/DirectUsbPage.h"

namespace tb::pages::lgr87x {

// The model-870 table: library, dialog 129, channels, limits and texts.
const ModelTable& Lgr870Model();

// A stored illuminance ('I') or UV ('U') value as the history list shows
// it: -1000 to -1 are readings below zero in thousandths; any other value
// is the logger's data value, made into text by the library.
std::string FormatHistoryValue(int16_t value, char kind);

class CPageLgr870 final : public CDirectUsbPage {
  public:
    CPageLgr870();
    bool OnCommand(int id) override;

  private:
    void OnSend() { Send(); }
    void OnInitialise() { Initialise(); }
    void OnReceive() { Receive(); }
    void OnHelp() { Help(); }
    void OnTab() { TabChanged(); }
    void OnTick1() { ChannelTicked(0); }
    void OnTick2() { ChannelTicked(1); }
    void OnTick3() { ChannelTicked(2); }
    void OnTick4() { ChannelTicked(3); }
    void OnKind1() { KindChosen(0); }
    void OnKind2() { KindChosen(1); }
    void OnKind3() { KindChosen(2); }
    void OnKind4() { KindChosen(3); }

    static const std::array<CommandEntry<CPageLgr870>, 17> kCommands;
};

}  // namespace tb::pages::lgr87x
