// The direct-USB logger through its model library (the calls of the
// model's table), with the retries of RetryRules.
#pragma once

#include <memory>

#include "pages/lgr87x/DirectUsbLogger.h"

namespace tb::pages::lgr87x {

std::unique_ptr<DirectUsbLogger> MakeModelcomLogger(const ModelTable& model);

}  // namespace tb::pages::lgr87x
