#include "pages/PageLgr820.h"

#include "resources/dialogs/DialogIds.h"

namespace tb::pages {

using namespace one_channel;

const std::array<CommandEntry<CPageLgr820>, 7> CPageLgr820::kCommands = {{
    {kInitialise, &CPageLgr820::OnInitialise},
    {kSend, &CPageLgr820::OnSend},
    {kReceive, &CPageLgr820::OnReceive},
    {kHelp, &CPageLgr820::OnHelp},
    {kAdjustChannel, &CPageLgr820::OnChannel},
    {kOnePoint, &CPageLgr820::OnPointMode},
    {kTwoPoint, &CPageLgr820::OnPointMode},
}};

CPageLgr820::CPageLgr820(std::unique_ptr<BaseUnitLogger> logger)
    : COneChannelPage(resources::kDialogLgr820, std::move(logger)) {}

bool CPageLgr820::OnCommand(int id) { return DispatchCommand<CPageLgr820>(*this, kCommands, id); }

}  // namespace tb::pages
