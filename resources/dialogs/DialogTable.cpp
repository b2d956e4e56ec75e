#include <algorithm>
#include <vector>

#include "resources/dialogs/DialogCatalog.h"

namespace tb::resources {
namespace {

std::vector<const DialogTemplate*> BuildTable() {
    std::vector<const DialogTemplate*> table = {
        &catalog::AboutDialog(),  &catalog::MainDialog(),   &catalog::SettingsDialog(),
        &catalog::Lgr820Dialog(), &catalog::Lgr890Dialog(), &catalog::Lgr830Dialog(),
        &catalog::Lgr835Dialog(), &catalog::Lgr850Dialog(), &catalog::Lgr870Dialog(),
        &catalog::Lgr875Dialog(),
    };
    std::sort(table.begin(), table.end(),
              [](const DialogTemplate* a, const DialogTemplate* b) { return a->id < b->id; });
    return table;
}

const std::vector<const DialogTemplate*>& Table() {
    static const std::vector<const DialogTemplate*> table = BuildTable();
    return table;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate* dialog : Table()) {
        if (dialog->id == id) return dialog;
    }
    return nullptr;
}

std::span<const int> DialogTemplateIds() {
    static const std::vector<int> ids = [] {
        std::vector<int> result;
        for (const DialogTemplate* dialog : Table()) result.push_back(dialog->id);
        return result;
    }();
    return ids;
}

}  // namespace tb::resources
