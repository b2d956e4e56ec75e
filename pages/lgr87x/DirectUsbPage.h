// The page of a direct-USB logger (models 870 and 875): two tabs, one per
// sensor, each with two channels; send, initialise and receive work on the
// pair of the tab that is shown. A new correction is composed with the one
// the logger holds, checked, confirmed, written, recorded in the logger's
// history and in the history log file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "pages/AdjustablePage.h"
#include "pages/BusyScope.h"
#include "pages/CorrectionFormula.h"
#include "pages/OperationRecord.h"
#include "pages/PropertyPage.h"
#include "pages/history/AdjustmentHistory.h"
#include "pages/lgr87x/DirectUsbComposition.h"
#include "pages/lgr87x/DirectUsbLogger.h"
#include "pages/lgr87x/DirectUsbModel.h"

namespace tb::pages::lgr87x {

// What WriteCorrection returns when the communication lock stayed busy.
inline constexpr int kLockBusy = -99;

// The model pages are this page with their model table. The page talks to
// its logger through `logger`; without one, through the model's library.
class CDirectUsbPage : public CPropertyPage, public AdjustablePage {
  public:
    explicit CDirectUsbPage(const ModelTable& model,
                            std::unique_ptr<DirectUsbLogger> logger = nullptr);
    ~CDirectUsbPage() override;

    void OnInitDialog() override;
    void OnSetActive() override;
    bool SwallowsEscape() const override { return true; }

    // Steps of the operations.
    bool FindConnectedLogger(bool showMessages);
    int ReadCurrentCorrection(int tab);
    // Reads and checks the tab's entries; nothing after its message.
    std::optional<std::array<EnteredCorrection, 2>> ComputeInputCorrection(int tab, int unit);
    // 0 when done (written, or the failure reported), kLockBusy when the
    // communication lock stayed busy.
    int WriteCorrection(int tab, const CalibrationCodes& codes, bool initialise);

    // The codes the last send composed and found inside the limits, with
    // their tab, from the composition until the next send starts; what the
    // confirmation asks to write.
    struct PreparedCodes {
        int tab;
        CalibrationCodes codes;
    };
    const std::optional<PreparedCodes>& Prepared() const { return prepared_; }

    // The channels of both tabs, by the numbers the model table gives them
    // (DirectUsbChannels.cpp).
    int AdjustableChannels() const override;
    ChannelPlace PlaceOfChannel(int channel) const override;
    Correction CurrentCorrection(int channel) const override;
    std::optional<Correction> ComposedCorrection(int channel) const override;
    OperationOutcome LastOutcome() const override { return lastOutcome_; }

    // Binds the page's buttons, its tab control and the ticks and radios of
    // the channels its model has.
    bool OnCommand(int id) override;

  protected:
    void DoDataExchange(bool save) override;

  private:
    void Send();
    void Initialise();
    void Receive();
    void Help();
    void TabChanged();
    void ChannelTicked(int row);
    void KindChosen(int row);
    void OnTick1() { ChannelTicked(0); }
    void OnTick2() { ChannelTicked(1); }
    void OnTick3() { ChannelTicked(2); }
    void OnTick4() { ChannelTicked(3); }
    void OnKind1() { KindChosen(0); }
    void OnKind2() { KindChosen(1); }
    void OnKind3() { KindChosen(2); }
    void OnKind4() { KindChosen(3); }
    // The row whose check box or radio button `id` is; -1 for other controls.
    static int RowOfControl(int id);
    // The id of a row's edit box (an EntryBox).
    static int BoxId(int row, int box);

    static const std::array<CommandEntry<CDirectUsbPage>, 17> kCommands;

    struct RowPlace {
        int tab;
        int channel;
    };

    // View rules (DirectUsbView.cpp).
    const TabTable& Tab(int tab) const { return model_.tabs[static_cast<std::size_t>(tab)]; }
    int SelectedTab() const;
    bool IsUsed(int row) const;
    RowPlace PlaceOf(int row) const;
    void ApplyUnit();
    void ApplyTickRule(int row);
    void ApplyKindRule(int row);
    void EnableRowInputs(int row, bool enabled, bool withRadios);
    void ShowTab(int tab);
    void ShowCurrentSettings(int tab);
    void ClearCurrentSettings(int tab);
    // The page's buttons, its tab control and the sheet off while it lives.
    BusyScope Busy();

    // Entries, composition and confirmation (DirectUsbEntries.cpp).
    std::optional<double> ReadBox(int row, int box, ChannelKind kind);
    std::optional<EnteredCorrection> ComputeChannel(int tab, int channel, int unit,
                                                    std::array<uint16_t, 8>& block);
    // Composes with what the logger holds; nothing after the limit message.
    std::optional<Composition> Compose(int tab, const std::array<EnteredCorrection, 2>& entered);
    void ShowLimitMessage(int tab, const LimitRefusal& refusal, const Correction& entered);
    bool Confirm(int tab, const Composition& composition);

    // Steps of the operations (DirectUsbPage.cpp).
    int ReadHistory(int tab);
    history::SensorAdjustment AdjustmentOf(int tab) const;
    // False when the logger's record or the log file was not saved.
    bool RecordAdjustment(int tab, bool initialise, int32_t time);
    // After a failed write: what the logger holds, read again (Unknown when
    // it does not answer), or as the write's read-back found it.
    void LearnWhatWasLeft(int tab, const CalibrationCodes& before);
    void TakeWhatIsHeld(int tab, const CalibrationCodes& before, const CalibrationCodes& held);
    bool AnyTicked(int tab) const;

    // The journal record of the running operation (DirectUsbJournal.cpp).
    class RecordScope;
    void ReportFailure(int code);
    void StartRecord(OperationRecord& record, int tab);
    // Sets field of each used channel of the tab from codes.
    void RecordCodes(int tab, std::optional<Correction> ChannelRecord::*field,
                     const CalibrationCodes& codes);
    // The entries of the ticked channels, and then their corrections.
    void RecordEntries(int tab);
    void RecordEntered(int tab, const std::array<EnteredCorrection, 2>& entered);
    OperationRecord* record_ = nullptr;
    std::optional<PreparedCodes> prepared_;

    const ModelTable& model_;
    std::unique_ptr<DirectUsbLogger> logger_;
    std::array<history::HistorySensor, kTabCount> sensors_{};
    std::array<bool, 4> ticked_{};
    std::array<int, 4> kinds_{};
    std::array<std::array<std::string, 4>, 4> typed_{};
    int unit_ = 0;
    bool activatedBefore_ = false;
    std::array<std::array<uint16_t, 8>, kTabCount> encoded_{};
    std::array<double, 4> newSlope_{1000.0, 1000.0, 1000.0, 1000.0};
    OperationOutcome lastOutcome_;
};

}  // namespace tb::pages::lgr87x
