// The behaviour every base-unit page shares: data exchange and enable rules
// of its channels, the unit setting, and the three operations initialise,
// send and receive with the busy rule. A page adds its table of control
// ids, the check kind of each channel and the formats its texts use.
//
// The defaults are those of the temperature pages (820/821, 890, 830,
// 835): channel 1 is a temperature channel that follows the unit setting,
// a second channel is humidity; texts use three decimals.
//
// One concern a source: the view rules (BaseUnitPage.cpp), the operations
// (BaseUnitOperations.cpp) and the journal record (BaseUnitJournal.cpp).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pages/AdjustChannel.h"
#include "pages/AdjustablePage.h"
#include "pages/BaseUnitLogger.h"
#include "pages/OperationRecord.h"
#include "pages/PropertyPage.h"

namespace tb::pages {

// How a page shows one channel's corrections.
struct ChannelFormats {
    int confirm;         // format of the entered correction in the confirmation
    int line;            // format of the current-setting line
    int offsetDecimals;  // 1 where the logger keeps the offset to one decimal, else 3
    bool degreeF;        // texts in degree-F form
};

class CBaseUnitPage : public CPropertyPage, public AdjustablePage {
  public:
    void OnInitDialog() override;
    void OnSetActive() override;

    int AdjustableChannels() const override { return static_cast<int>(channels_.size()); }
    ChannelPlace PlaceOfChannel(int channel) const override;
    Correction CurrentCorrection(int channel) const override;
    std::optional<Correction> ComposedCorrection(int channel) const override;
    OperationOutcome LastOutcome() const override { return lastOutcome_; }

    const AdjustChannel& Channel(std::size_t index) const { return channels_.at(index); }

  protected:
    CBaseUnitPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger,
                  std::initializer_list<ChannelIds> channels);

    void DoDataExchange(bool save) override;

    // The operations and control handlers the pages bind in their tables.
    void Initialise();
    void Send();
    void Receive();
    void Help();
    // Ticking a channel unticks every other one: at most one is adjusted.
    void ChannelClicked(std::size_t channel);
    void PointModeClicked(std::size_t channel);

    virtual CheckKind KindOf(std::size_t channel) const;
    // The unit a channel's readings are entered in (kUnit...).
    virtual std::string UnitOf(std::size_t channel) const;
    // Characters the page's edit boxes take.
    virtual int EditLength() const = 0;
    virtual ChannelFormats FormatsOf(std::size_t channel) const;
    // Whether the current correction is rounded to three decimals (and kept
    // so) before the entered one is composed onto it.
    virtual bool RoundsCurrentBeforeComposing() const { return false; }

    // Reads the unit setting; a change clears channel 1's line, whose
    // figures were in the other unit.
    void ReadUnitSetting();
    void SetTemperatureLabels();
    void SetLogger(std::unique_ptr<BaseUnitLogger> logger) { logger_ = std::move(logger); }
    AdjustChannel& MutableChannel(std::size_t index) { return channels_.at(index); }
    void ClearLines();

  private:
    // Lifts the pin of the unit an operation found when the operation ends.
    struct OperationPin {
        BaseUnitLogger* logger;
        ~OperationPin();
    };

    bool FindLogger();
    bool ReadCurrent();
    std::vector<Correction> Currents() const;
    std::vector<Correction> StoredComposed() const;
    void ShowHeld(const std::vector<Correction>& held);
    bool DeriveAndCompose(std::vector<Correction>& entered);
    bool ComposedFits();
    bool ConfirmSend(const std::vector<Correction>& entered);
    bool WriteComposed(bool initialise);
    void ShowLine(std::size_t channel, Correction shown);

    // The journal record of an operation that found its logger.
    void StartRecord(OperationRecord& record);
    // Sets field of every channel's record from source of every channel.
    void RecordChannels(OperationRecord& record, std::optional<Correction> ChannelRecord::*field,
                        Correction AdjustChannel::*source);
    void SettleFailedWrite(OperationRecord& record,
                           const std::optional<std::vector<Correction>>& before);

    std::unique_ptr<BaseUnitLogger> logger_;
    std::vector<AdjustChannel> channels_;
    int unitSetting_ = 0;
    bool activatedBefore_ = false;
    OperationOutcome lastOutcome_;
};

}  // namespace tb::pages
