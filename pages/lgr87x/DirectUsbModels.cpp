#include "pages/lgr87x/DirectUsbModels.h"

#include <array>

#include "pages/lgr87x/PageLgr870.h"
#include "pages/lgr87x/PageLgr875.h"

namespace tb::pages::lgr87x {

std::span<const ModelTable* const> DirectUsbModels() {
    static const std::array<const ModelTable*, 2> models{&Lgr870Model(), &Lgr875Model()};
    return models;
}

const ModelTable* FindDirectUsbModel(std::string_view name) {
    for (const ModelTable* model : DirectUsbModels()) {
        if (model->name == name) return model;
    }
    return nullptr;
}

}  // namespace tb::pages::lgr87x
