// A page with no controls for window tests and benchmarks that bring their
// own pages: the tab shows the dialog's caption over an empty page.
#pragma once

#include "pages/PropertyPage.h"

namespace tb::app {

class CEmptyPage final : public pages::CPropertyPage {
  public:
    using CPropertyPage::CPropertyPage;
};

}  // namespace tb::app
