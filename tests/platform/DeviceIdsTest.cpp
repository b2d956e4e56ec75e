#include <gtest/gtest.h>

#include "platform/DeviceIds.h"

using tb::platform::DeviceIds;
using tb::platform::FormatVidPid;
using tb::platform::ParseDeviceIds;

TEST(DeviceIds, OnlyTheDevicesGroupOverridesAndBadValuesKeepDefaults) {
    DeviceIds defaults;
    DeviceIds ids = ParseDeviceIds(
        "[Settings]\nPrimaryVendor=0x1111\n"
        "[Devices]\nPrimaryVendor = 0x1234\nProductP6=4660\nProductP7=1\n"
        "SecondaryVendor=0x10000\nLgr870Product=zz\n");
    EXPECT_EQ(ids.primaryVendor, 0x1234);
    EXPECT_EQ(ids.Product(6), 4660);
    EXPECT_EQ(ids.secondaryVendor, defaults.secondaryVendor);
    EXPECT_EQ(ids.lgr870Product, defaults.lgr870Product);
    EXPECT_EQ(ids.Product(1), defaults.Product(1));
}

TEST(DeviceIds, VidPidTextIsLowerCaseFourDigits) {
    EXPECT_EQ(FormatVidPid(0x2F5C, 0x0A1), "2f5c-00a1");
}
