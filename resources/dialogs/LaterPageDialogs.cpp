// The pages whose controls come with their own pages: for now each carries
// its caption (the tab text) and its size.
#include "resources/dialogs/DialogCatalog.h"

namespace tb::resources::catalog {

std::span<const DialogTemplate> LaterPageDialogs() {
    static constexpr DialogTemplate kDialogs[] = {
        {130, "LGR850B", kPageWidth, kPageHeight, {}},
        {134, "LGR830B", kPageWidth, kPageHeight, {}},
        {136, "LGR835B", kPageWidth, kPageHeight, {}},
    };
    return kDialogs;
}

}  // namespace tb::resources::catalog
