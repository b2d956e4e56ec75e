// The page of the one-channel loggers 820 and 821 behind a base unit.
#pragma once

#include "pages/OneChannelPage.h"
#include "resources/dialogs/DialogIds.h"

namespace tb::pages {

class CPageLgr820 final : public COneChannelPage {
  public:
    explicit CPageLgr820(std::unique_ptr<BaseUnitLogger> logger)
        : COneChannelPage(resources::kDialogLgr820, std::move(logger)) {}
};

}  // namespace tb::pages
