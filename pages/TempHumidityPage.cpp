#include "pages/TempHumidityPage.h"

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/TempHumidityIds.h"

namespace tb::pages {
namespace {

using namespace resources::temp_humidity;

constexpr ChannelIds kTemperature{kAdjust1,         kOnePoint1,       kTwoPoint1,
                                  kBefore1Row1,     kAfter1Row1,      kBefore1Row2,
                                  kAfter1Row2,      kUnitBefore1Row1, kUnitAfter1Row1,
                                  kUnitBefore1Row2, kUnitAfter1Row2,  kCurrentLine1};
constexpr ChannelIds kHumidity{kAdjust2,        kOnePoint2,       kTwoPoint2,      kBefore2Row1,
                               kAfter2Row1,     kBefore2Row2,     kAfter2Row2,     kUnitBefore2Row1,
                               kUnitAfter2Row1, kUnitBefore2Row2, kUnitAfter2Row2, kCurrentLine2};

}  // namespace

const std::array<CommandEntry<CTempHumidityPage>, 10> CTempHumidityPage::kCommands = {{
    {kInitialise, &CTempHumidityPage::Initialise},
    {kSend, &CTempHumidityPage::Send},
    {kReceive, &CTempHumidityPage::Receive},
    {kHelp, &CTempHumidityPage::Help},
    {kAdjust1, &CTempHumidityPage::OnTemperatureChannel},
    {kAdjust2, &CTempHumidityPage::OnHumidityChannel},
    {kOnePoint1, &CTempHumidityPage::OnTemperaturePointMode},
    {kTwoPoint1, &CTempHumidityPage::OnTemperaturePointMode},
    {kOnePoint2, &CTempHumidityPage::OnHumidityPointMode},
    {kTwoPoint2, &CTempHumidityPage::OnHumidityPointMode},
}};

CTempHumidityPage::CTempHumidityPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger)
    : CBaseUnitPage(dialogId, std::move(logger), {kTemperature, kHumidity}) {}

int CTempHumidityPage::EditLength() const { return kEditLength; }

bool CTempHumidityPage::OnCommand(int id) {
    return DispatchCommand<CTempHumidityPage>(*this, kCommands, id);
}

CPageLgr830::CPageLgr830(std::unique_ptr<BaseUnitLogger> logger)
    : CTempHumidityPage(resources::kDialogLgr830, std::move(logger)) {}

CPageLgr835::CPageLgr835(std::unique_ptr<BaseUnitLogger> logger)
    : CTempHumidityPage(resources::kDialogLgr835, std::move(logger)) {}

}  // namespace tb::pages
