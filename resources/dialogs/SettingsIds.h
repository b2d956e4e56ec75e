// Control ids of the settings dialog, used by its template and by the page.
#pragma once

namespace tb::resources::settings {

inline constexpr int kCelsiusRadio = 1000;
inline constexpr int kFahrenheitRadio = 1001;

}  // namespace tb::resources::settings
