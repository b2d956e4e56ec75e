// The page of the model-890 logger on its own USB serial cable.
#pragma once

#include "pages/OneChannelPage.h"
#include "resources/dialogs/DialogIds.h"

namespace tb::pages {

class CPageLgr890 final : public COneChannelPage {
  public:
    explicit CPageLgr890(std::unique_ptr<BaseUnitLogger> logger)
        : COneChannelPage(resources::kDialogLgr890, std::move(logger)) {}
};

}  // namespace tb::pages
