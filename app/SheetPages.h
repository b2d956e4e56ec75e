// The page objects of the property sheet, in tab order.
#pragma once

#include <memory>
#include <vector>

#include "app/PageSettings.h"
#include "pages/PropertyPage.h"

namespace tb::app {

struct SheetPages {
    // One page per page of the model catalogue, in its order: 820/821, 830,
    // 870, 850, 875, 835, 890.
    std::vector<std::unique_ptr<pages::CPropertyPage>> models;
    std::unique_ptr<CPageSettings> settings;
};

// All eight pages as the program uses them, bound to the real devices.
SheetPages MakeStandardPages();

}  // namespace tb::app
