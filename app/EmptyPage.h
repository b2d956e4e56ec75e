// A page whose controls and behaviour are not part of this build yet: its
// tab is there, with the page's caption and an empty page.
#pragma once

#include "pages/PropertyPage.h"

namespace tb::app {

class CEmptyPage final : public pages::CPropertyPage {
  public:
    using CPropertyPage::CPropertyPage;
};

}  // namespace tb::app
