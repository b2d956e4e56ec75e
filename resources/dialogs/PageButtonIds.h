// Control ids of the three buttons every adjustment dialog has, the same on
// each one: the dialogs' id headers take them from here.
#pragma once

namespace tb::resources::page_buttons {

inline constexpr int kInitialise = 1014;
inline constexpr int kSend = 1130;
inline constexpr int kReceive = 1134;

}  // namespace tb::resources::page_buttons
