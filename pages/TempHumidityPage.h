// The temperature/humidity pages 830 and 835: channel 1 temperature (it
// follows the unit setting), channel 2 humidity (always in its own terms).
// The two channels are ticked exclusively; a send reads both and writes
// both, the unticked one with its current correction.
#pragma once

#include <array>
#include <memory>

#include "pages/BaseUnitPage.h"

namespace tb::pages {

class CTempHumidityPage : public CBaseUnitPage {
  public:
    bool OnCommand(int id) override;

  protected:
    CTempHumidityPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger);
    int EditLength() const override;

  private:
    void OnTemperatureChannel() { ChannelClicked(0); }
    void OnHumidityChannel() { ChannelClicked(1); }
    void OnTemperaturePointMode() { PointModeClicked(0); }
    void OnHumidityPointMode() { PointModeClicked(1); }

    static const std::array<CommandEntry<CTempHumidityPage>, 10> kCommands;
};

// Model 830: model check 1, logger kind and mode 1.
class CPageLgr830 final : public CTempHumidityPage {
  public:
    explicit CPageLgr830(std::unique_ptr<BaseUnitLogger> logger);
};

// Model 835: model check 3, logger kind and mode 3.
class CPageLgr835 final : public CTempHumidityPage {
  public:
    explicit CPageLgr835(std::unique_ptr<BaseUnitLogger> logger);
};

}  // namespace tb::pages
