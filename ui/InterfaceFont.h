// The font the window lays out a Japanese interface with.
#pragma once

namespace tb::ui {

// On Windows, when the system's interface font cannot draw Japanese (an
// English Windows, Wine), makes the first installed family that can the
// application's font. Kana and kanji drawn from a fallback font are taller
// than the font the window measured with, and a group box then cuts its
// title off at the top. Does nothing elsewhere: fontconfig's fallbacks keep
// the measured metrics, and a Japanese Windows' own font draws Japanese.
void UseJapaneseCapableFont();

}  // namespace tb::ui
