#include "pages/OneChannelPage.h"

namespace tb::pages {
namespace {

using namespace one_channel;

constexpr ChannelIds kChannel{kAdjustChannel, kOnePoint,    kTwoPoint,   kBefore1,
                              kAfter1,        kBefore2,     kAfter2,     kUnitBefore1,
                              kUnitAfter1,    kUnitBefore2, kUnitAfter2, kCurrentLine};

}  // namespace

const std::array<CommandEntry<COneChannelPage>, 7> COneChannelPage::kCommands = {{
    {kInitialise, &COneChannelPage::Initialise},
    {kSend, &COneChannelPage::Send},
    {kReceive, &COneChannelPage::Receive},
    {kHelp, &COneChannelPage::Help},
    {kAdjustChannel, &COneChannelPage::OnChannel},
    {kOnePoint, &COneChannelPage::OnPointMode},
    {kTwoPoint, &COneChannelPage::OnPointMode},
}};

COneChannelPage::COneChannelPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger)
    : CBaseUnitPage(dialogId, std::move(logger), {kChannel}) {}

bool COneChannelPage::OnCommand(int id) { return DispatchCommand<COneChannelPage>(*this, kCommands, id); }

}  // namespace tb::pages
