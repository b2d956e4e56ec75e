#include "pages/PageLgr890.h"

#include "resources/dialogs/DialogIds.h"

namespace tb::pages {

using namespace one_channel;

const std::array<CommandEntry<CPageLgr890>, 7> CPageLgr890::kCommands = {{
    {kInitialise, &CPageLgr890::OnInitialise},
    {kSend, &CPageLgr890::OnSend},
    {kReceive, &CPageLgr890::OnReceive},
    {kHelp, &CPageLgr890::OnHelp},
    {kAdjustChannel, &CPageLgr890::OnChannel},
    {kOnePoint, &CPageLgr890::OnPointMode},
    {kTwoPoint, &CPageLgr890::OnPointMode},
}};

CPageLgr890::CPageLgr890(std::unique_ptr<BaseUnitLogger> logger)
    : COneChannelPage(resources::kDialogLgr890, std::move(logger)) {}

bool CPageLgr890::OnCommand(int id) { return DispatchCommand<CPageLgr890>(*this, kCommands, id); }

}  // namespace tb::pages
