// The page of the multi-input logger 850. Its one channel measures one of
// five inputs, chosen with a radio row: thermocouple, Pt100/Pt1000, 4-20 mA,
// voltage or noise/vibration. The input kind decides the channel caption,
// the unit labels, the limits, the codes' scales, the decimals shown and
// the transport (noise/vibration goes through the base unit's pass-through
// command).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "pages/BaseUnitPage.h"

namespace tb::pages {

// The logger for an input kind (0 to 4) with its codes at the given scales.
using MultiInputLoggerFactory = std::function<std::unique_ptr<BaseUnitLogger>(
    int inputKind, uint16_t slopeScale, uint16_t offsetScale)>;

class CPageLgr850 final : public CBaseUnitPage {
  public:
    explicit CPageLgr850(MultiInputLoggerFactory loggers);

    void OnInitDialog() override;
    void OnSetActive() override;
    bool OnCommand(int id) override;

    int InputKind() const { return inputKind_; }
    CheckKind ChannelKind() const { return checkKind_; }
    uint16_t SlopeScale() const { return slopeScale_; }
    uint16_t OffsetScale() const { return offsetScale_; }

  protected:
    void DoDataExchange(bool save) override;
    CheckKind KindOf(std::size_t channel) const override;
    std::string UnitOf(std::size_t channel) const override;
    ChannelFormats FormatsOf(std::size_t channel) const override;
    bool RoundsCurrentBeforeComposing() const override { return true; }
    int EditLength() const override;

  private:
    void Relabel();
    void SetScales();

    void OnChannel() { ChannelClicked(0); }
    void OnPointMode() { PointModeClicked(0); }
    void OnInputKind();

    static const std::array<CommandEntry<CPageLgr850>, 12> kCommands;

    MultiInputLoggerFactory loggers_;
    int inputKind_ = 0;
    CheckKind checkKind_ = CheckKind::Celsius;
    uint16_t slopeScale_ = 0;
    uint16_t offsetScale_ = 0;
};

}  // namespace tb::pages
