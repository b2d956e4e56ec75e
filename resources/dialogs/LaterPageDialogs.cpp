// The pages whose controls come with their own pages: for now each carries
// its caption (the tab text) and its size.
#include "resources/dialogs/DialogCatalog.h"

namespace tb::resources::catalog {

std::span<const DialogTemplate> LaterPageDialogs() {
    static constexpr DialogTemplate kDialogs[] = {
        {.id = 129,
         .caption = "  LGR-870  ",
         .width = kPageWidth,
         .height = kPageHeight,
         .controls = {}},
        {.id = 130,
         .caption = "LGR850B",
         .width = kPageWidth,
         .height = kPageHeight,
         .controls = {}},
        {.id = 134,
         .caption = "LGR830B",
         .width = kPageWidth,
         .height = kPageHeight,
         .controls = {}},
        {.id = 135,
         .caption = "  LGR-875  ",
         .width = kPageWidth,
         .height = kPageHeight,
         .controls = {}},
        {.id = 136,
         .caption = "LGR835B",
         .width = kPageWidth,
         .height = kPageHeight,
         .controls = {}},
    };
    return kDialogs;
}

}  // namespace tb::resources::catalog
