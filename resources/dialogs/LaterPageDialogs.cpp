// The pages whose controls come with their own pages: for now each carries
// its caption (the tab text) and its size.
#include "resources/dialogs/DialogCatalog.h"

namespace tb::resources::catalog {

std::span<const DialogTemplate> LaterPageDialogs() {
    static constexpr DialogTemplate kDialogs[] = {
        {129, "  LGR-870  ", kPageWidth, kPageHeight, {}},
        {135, "  LGR-875  ", kPageWidth, kPageHeight, {}},
    };
    return kDialogs;
}

}  // namespace tb::resources::catalog
