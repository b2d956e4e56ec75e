// The tab of a model whose page has no controls in this program: the page's
// caption over an empty page.
#pragma once

#include "pages/PropertyPage.h"

namespace tb::app {

class CEmptyPage final : public pages::CPropertyPage {
  public:
    using CPropertyPage::CPropertyPage;
};

}  // namespace tb::app
