#include "cli/ModelNames.h"

namespace tb::cli {

std::string ModelNames() {
    std::string names;
    for (const ModelRow& row : Models()) {
        if (!names.empty()) names += ", ";
        names += row.model;
    }
    return names;
}

std::optional<int> FindInputKind(const ModelRow& row, std::string_view name) {
    for (const InputKindName& kind : row.inputKinds)
        if (kind.name == name || (name.size() == 1 && name[0] - '0' == kind.index)) return kind.index;
    return std::nullopt;
}

std::string InputKindNames(const ModelRow& row) {
    std::string names;
    for (const InputKindName& kind : row.inputKinds) {
        if (!names.empty()) names += ", ";
        names += std::string(kind.name) + " (" + std::string(kind.description) + ")";
    }
    return names;
}

}  // namespace tb::cli
