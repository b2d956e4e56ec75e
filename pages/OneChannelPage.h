// The behaviour shared by the one-channel temperature pages (820/821 and
// 890): data exchange, the enable rules, the unit labels and the three
// operations. A page differs only in its dialog and in the logger it binds.
#pragma once

#include <memory>
#include <string>

#include "pages/CorrectionFormula.h"
#include "pages/OneChannelLogger.h"
#include "pages/PropertyPage.h"
#include "resources/dialogs/OneChannelIds.h"

namespace tb::pages {

// Control ids of both one-channel dialogs.
namespace one_channel = resources::one_channel;

class COneChannelPage : public CPropertyPage {
  public:
    COneChannelPage(int dialogId, std::unique_ptr<OneChannelLogger> logger);

    void OnInitDialog() override;
    void OnSetActive() override;

    // The page state, for the window and for tests.
    bool AdjustChannel() const { return adjustChannel_; }
    int PointMode() const { return pointMode_; }
    int UnitSetting() const { return unitSetting_; }
    const Correction& Current() const { return current_; }
    const Correction& Composed() const { return composed_; }

  protected:
    void DoDataExchange(bool save) override;

    // The operations and control handlers the pages bind in their tables.
    void Initialise();
    void Send();
    void Receive();
    void Help();
    void ChannelClicked();
    void PointModeClicked();

  private:
    void ApplyChannelRule();
    void ApplyRowRule();
    void ReadUnitSetting();
    void SetUnitLabels();
    void ShowCurrentLine(const Correction& correction);
    bool FindLogger();
    // Reads and derives the entered correction; false after its message.
    bool DeriveEntered(Correction& entered);
    bool ConfirmSend(const Correction& entered);

    std::unique_ptr<OneChannelLogger> logger_;
    bool adjustChannel_ = false;
    int pointMode_ = 0;
    std::string before1_, after1_, before2_, after2_;
    int unitSetting_ = 0;
    Correction current_{1.0, 0.0};
    Correction composed_{1.0, 0.0};
    bool activatedBefore_ = false;
};

}  // namespace tb::pages
