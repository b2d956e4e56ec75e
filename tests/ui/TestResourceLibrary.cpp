// A resource library as a translation would ship it: it replaces the
// language number and the about entry and keeps every other text.
extern "C" __attribute__((visibility("default"))) const char* Trimbench800_String(int id) {
    switch (id) {
        case 1047:
            return "1";
        case 108:
            return "About Trimbench...";
        default:
            return nullptr;
    }
}
