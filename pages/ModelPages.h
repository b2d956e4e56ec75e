// The catalogue's models bound to their pages and devices: a model's page,
// new; whether a logger behind a base unit is one a model's page serves;
// a direct-USB model's table. A library above every page library (the
// catalogue's facts in pages/ModelCatalogue.h sit below the pages, which
// name their models after them).
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "pages/AdjustablePage.h"
#include "pages/ModelCatalogue.h"
#include "pages/PropertyPage.h"
#include "pages/lgr87x/DirectUsbModel.h"

namespace tb::pages {

// A model's page, new, as the window and the command line use it.
struct ModelPage {
    std::unique_ptr<CPropertyPage> page;
    AdjustablePage* adjustable;  // the same object, as its channels answer
};

ModelPage MakePage(const ModelRow& row);

// Whether the logger behind a base unit, by its settings block, is one the
// row's page serves with the given input kind; false for a model that is
// not reached through a base unit.
bool Accepts(const ModelRow& row, int inputKind, std::span<const uint8_t, 64> settings);

// The model table of a direct-USB model; nullptr for every other model.
const lgr87x::ModelTable* DirectUsbTable(const ModelRow& row);

}  // namespace tb::pages
