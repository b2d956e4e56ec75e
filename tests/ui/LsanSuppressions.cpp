// Leaks inside the desktop libraries that Qt loads (font configuration,
// D-Bus, GLib), which the program does not own. Compiled into the window
// tests so that the leak checker knows them whatever the environment says.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libdbus\nleak:libQt6\nleak:libglib\n";
}
