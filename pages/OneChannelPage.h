// The behaviour shared by the one-channel temperature pages (820/821 and
// 890): data exchange, the enable rules, the unit labels and the three
// operations. A page differs only in its dialog and in the logger it binds.
#pragma once

#include <memory>
#include <string>

#include "pages/CorrectionFormula.h"
#include "pages/OneChannelLogger.h"
#include "pages/OperationRecord.h"
#include "pages/PropertyPage.h"

namespace tb::pages {

// Control ids of both one-channel dialogs.
namespace one_channel {
inline constexpr int kGroup = 1112;
inline constexpr int kAdjustChannel = 1021;
inline constexpr int kCurrentLine = 1076;
inline constexpr int kOnePoint = 1015;
inline constexpr int kTwoPoint = 1026;
inline constexpr int kBefore1 = 1016;
inline constexpr int kAfter1 = 1018;
inline constexpr int kBefore2 = 1019;
inline constexpr int kAfter2 = 1020;
inline constexpr int kUnitBefore1 = 1118;
inline constexpr int kUnitBefore2 = 1120;
inline constexpr int kUnitAfter1 = 1119;
inline constexpr int kUnitAfter2 = 1121;
inline constexpr int kInitialise = 1014;
inline constexpr int kSend = 1130;
inline constexpr int kReceive = 1134;
inline constexpr int kHelp = 1013;
inline constexpr int kEditLength = 6;
}  // namespace one_channel

class COneChannelPage : public CPropertyPage {
  public:
    // model names the page and the logger models it serves in the journal.
    COneChannelPage(int dialogId, std::unique_ptr<OneChannelLogger> logger, std::string model);

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
    // Names the logger in the journal record of an operation.
    void IdentifyLogger(OperationRecord& record);
    void RecordWhatWasLeft(OperationRecord& record, ChannelRecord& channel);

    std::unique_ptr<OneChannelLogger> logger_;
    std::string model_;
    bool adjustChannel_ = false;
    int pointMode_ = 0;
    std::string before1_, after1_, before2_, after2_;
    int unitSetting_ = 0;
    Correction current_{1.0, 0.0};
    Correction composed_{1.0, 0.0};
    bool activatedBefore_ = false;
};

}  // namespace tb::pages
