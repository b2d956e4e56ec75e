#include "platform/DeviceIds.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

namespace tb::platform {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A 16-bit id in decimal or 0x-hexadecimal; false for anything else.
bool ParseId(std::string_view text, uint16_t& out) {
    text = Trim(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 8) return false;
    unsigned long value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
    }
    if (value > 0xFFFF) return false;
    out = static_cast<uint16_t>(value);
    return true;
}

void Apply(DeviceIds& ids, std::string_view key, std::string_view value) {
    uint16_t id;
    if (!ParseId(value, id)) return;
    if (key == "PrimaryVendor")
        ids.primaryVendor = id;
    else if (key == "SecondaryVendor")
        ids.secondaryVendor = id;
    else if (key == "Lgr870Vendor")
        ids.lgr870Vendor = id;
    else if (key == "Lgr870Product")
        ids.lgr870Product = id;
    else if (key == "Lgr875Vendor")
        ids.lgr875Vendor = id;
    else if (key == "Lgr875Product")
        ids.lgr875Product = id;
    else if (key.size() == 9 && key.substr(0, 8) == "ProductP" && key[8] >= '1' && key[8] <= '6')
        ids.baseProducts[static_cast<size_t>(key[8] - '1')] = id;
}

}  // namespace

std::string FormatVidPid(uint16_t vendor, uint16_t product) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x-%04x", vendor, product);
    return text;
}

std::string SettingsFilePath() {
    if (const char* explicitPath = std::getenv("TRIMBENCH_SETTINGS_FILE");
        explicitPath && *explicitPath)
        return explicitPath;
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        return {};
    return base + "/KESTRUNE CORPORATION/Trimbench2.conf";
}

DeviceIds ParseDeviceIds(const std::string& iniText) {
    DeviceIds ids;
    std::istringstream in(iniText);
    std::string line;
    bool inDevices = false;
    while (std::getline(in, line)) {
        std::string_view l = Trim(line);
        if (l.empty() || l.front() == ';' || l.front() == '#') continue;
        if (l.front() == '[') {
            inDevices = (l == "[Devices]");
            continue;
        }
        if (!inDevices) continue;
        auto eq = l.find('=');
        if (eq == std::string_view::npos) continue;
        Apply(ids, Trim(l.substr(0, eq)), l.substr(eq + 1));
    }
    return ids;
}

DeviceIds LoadDeviceIds() {
    std::string path = SettingsFilePath();
    if (path.empty()) return {};
    std::ifstream file(path);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return ParseDeviceIds(text.str());
}

}  // namespace tb::platform
