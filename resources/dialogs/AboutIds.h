// Control ids of the about box, used by its template and by the dialog.
#pragma once

namespace tb::resources::about {

inline constexpr int kOkButton = 1;

}  // namespace tb::resources::about
