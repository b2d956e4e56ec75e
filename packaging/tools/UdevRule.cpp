// Prints the udev rule that lets the user at the seat open the loggers' USB
// serial ports. The vendor ids are the defaults of the [Devices] settings,
// so the rule and the program can never disagree about them.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/DeviceIds.h"

int main() {
    const tb::platform::DeviceIds ids;
    std::vector<uint16_t> vendors = {ids.primaryVendor, ids.secondaryVendor, ids.lgr870Vendor,
                                     ids.lgr875Vendor};
    std::sort(vendors.begin(), vendors.end());
    vendors.erase(std::unique(vendors.begin(), vendors.end()), vendors.end());

    std::printf(
        "# Trimbench: the logged-in user may open the serial ports of the loggers,\n"
        "# base units and cables on USB, so that nobody runs Trimbench2 as root.\n"
        "# Generated from the default vendor ids of the [Devices] settings; when\n"
        "# the settings name other vendors, copy this file to /etc/udev/rules.d\n"
        "# and add them there.\n");
    for (uint16_t vendor : vendors) {
        std::printf("SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"%04x\", TAG+=\"uaccess\"\n", vendor);
    }
    return std::ferror(stdout) ? 1 : 0;
}
