// The command line's reading of the model catalogue (pages/ModelCatalogue.h):
// model names and input kinds as a technician types them, and the lists
// its messages show.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pages/ModelCatalogue.h"

namespace tb::cli {

using pages::FindModel;
using pages::InputKindName;
using pages::ModelRow;
using pages::Models;
using pages::PairName;
using pages::Transport;

// "820, 821, 830, ...": for messages.
std::string ModelNames();

// The input kind a name or number stands for on this model; nothing when
// the model has no such kind.
std::optional<int> FindInputKind(const ModelRow& row, std::string_view name);
// "tc (thermocouple), pt (Pt100/Pt1000), ...".
std::string InputKindNames(const ModelRow& row);

}  // namespace tb::cli
