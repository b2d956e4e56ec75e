// The direct-USB logger models, by their tables: what the command line
// searches when it lists or chooses a direct-USB logger.
#pragma once

#include <span>
#include <string_view>

#include "pages/lgr87x/DirectUsbModel.h"

namespace tb::pages::lgr87x {

// The 870 and 875 tables, in that order.
std::span<const ModelTable* const> DirectUsbModels();
// The table of the model so named ("870"); nullptr for any other name.
const ModelTable* FindDirectUsbModel(std::string_view name);

}  // namespace tb::pages::lgr87x
