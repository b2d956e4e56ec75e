// The page of a direct-USB logger (models 870 and 875): two tabs, one per
// sensor, each with two channels; send, initialise and receive work on the
// pair of the tab that is shown. A new correction is composed with the one
// the logger holds, checked, confirmed, written, recorded in the logger's
// history and in the history log file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "pages/CorrectionFormula.h"
#include "pages/PropertyPage.h"
#include "pages/lgr87x/DirectUsbModel.h"

namespace tb::pages::lgr87x {

// The entered correction of one channel: in the logger's unit, and as the
// technician sees it (degrees F for temperature under the F unit).
struct EnteredCorrection {
    Correction logger;
    Correction display;
};

class CDirectUsbPage : public CPropertyPage {
  public:
    explicit CDirectUsbPage(const ModelTable& model);

    void OnInitDialog() override;
    void OnSetActive() override;
    bool SwallowsEscape() const override { return true; }

    // Page state, for the history and for tests. Rows are the dialog's
    // channel rows 0 to 3 (tab t, channel j: row 2t + j).
    bool Ticked(int row) const { return ticked_[static_cast<std::size_t>(row)]; }
    int PointKind(int row) const { return kinds_[static_cast<std::size_t>(row)]; }
    // The typed text of a row's box: 0 before 1, 1 after 1, 2 before 2, 3 after 2.
    const std::string& Typed(int row, int box) const;
    // The tab's encoded inputs of the last computation: before 1 (first,
    // second channel), after 1, before 2, after 2.
    const std::array<uint16_t, 8>& Encoded(int tab) const;
    double StoredSlope(int row) const { return storedSlope_[static_cast<std::size_t>(row)]; }
    double NewSlope(int row) const { return newSlope_[static_cast<std::size_t>(row)]; }
    void SetStoredSlope(int row, double slope) { storedSlope_[static_cast<std::size_t>(row)] = slope; }
    int RememberedUnit() const { return unit_; }
    const ModelTable& Model() const { return model_; }
    uint32_t ConnectionKey() const { return model_.connection.key; }

    // The operations of Send, step by step, for the page and for tests.
    bool FindConnectedLogger(bool showMessages);
    int ReadCurrentCorrection(int tab);
    // Reads and checks the tab's entries; nothing after its message.
    std::optional<std::array<EnteredCorrection, 2>> ComputeInputCorrection(int tab, int unit);
    uint16_t EncodeInputValue(int tab, int channel, double value) const;
    // 0 when done (written or reported), -99 when the communication lock
    // stayed busy.
    int WriteCorrection(int tab, const CalibrationCodes& codes, bool initialise);

  protected:
    void DoDataExchange(bool save) override;

    // Handlers the model pages bind in their command tables.
    void Send();
    void Initialise();
    void Receive();
    void Help();
    void TabChanged();
    void ChannelTicked(int row);
    void KindChosen(int row);

  private:
    const TabTable& Tab(int tab) const { return model_.tabs[static_cast<std::size_t>(tab)]; }
    int SelectedTab() const;
    void ApplyUnit();
    void ApplyTickRule(int row);
    void ApplyKindRule(int row);
    void ShowTab(int tab);
    void ShowCurrentSettings(int tab);
    void SetControlsEnabled(bool enabled);
    int FindPortsAnswering(int ports, const std::array<uint8_t, kPortFlagCount>& flags);
    bool ReadHistoryForSend(int tab);
    std::optional<CalibrationCodes> Compose(int tab,
                                            const std::array<EnteredCorrection, 2>& entered);
    bool Confirm(int tab, const std::array<EnteredCorrection, 2>& entered);
    int RecordAdjustment(int tab, bool initialise, int32_t time);
    void ReportFailure(int code);

    const ModelTable& model_;
    std::array<bool, 4> ticked_{};
    std::array<int, 4> kinds_{};
    std::array<std::array<std::string, 4>, 4> typed_{};
    int unit_ = 0;
    bool activatedBefore_ = false;
    std::array<std::array<uint16_t, 8>, kTabCount> encoded_{};
    std::array<double, 4> storedSlope_{1000.0, 1000.0, 1000.0, 1000.0};
    std::array<double, 4> newSlope_{1000.0, 1000.0, 1000.0, 1000.0};
};

}  // namespace tb::pages::lgr87x
