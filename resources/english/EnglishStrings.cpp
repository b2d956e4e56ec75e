// The English texts of the numbered strings: one entry for every id of the
// built-in table, with the same conversions in the same order. The tests
// check both, so a text added to the built-in table without its
// translation fails the suite.
#include "resources/english/EnglishTables.h"

namespace tb::resources::english {
namespace {

// Sorted by id, like the built-in table.
constexpr StringEntry kStrings[] = {
    {103, "Current setting: y = %.3lfx %+.3lf"},
    {104, "Current setting: y = %.3lfx %+.1lf"},
    {106, "The settings were received."},
    {107, "(y = %.3lfx %+.3lf)"},
    {108, "&About Trimbench..."},
    {109, "(y = %.3lfx %+.1lf)"},
    {110, "Current setting: y = %.3lfx %+d"},
    {1001, "Illuminance/UV sensor"},
    {1002, "Temperature/humidity sensor"},
    {1003, "°C"},
    {1004, "°F"},
    {1005, "The adjustment settings of the connected device will be reset.\n\nContinue?"},
    {1006, "The help file cannot be opened."},
    {1007, "Please enter valid numbers."},
    {1008, "Please enter a value of -1.0 or more."},
    {1009, "Please enter a value of 0 or more."},
    {1012,
     "CH:%d\n\n %s (from the values entered now),\n %s (from the factory state) will be the "
     "correction."},
    {1013, "Sending has finished."},
    {1014, "Communication or setting failed."},
    {1015, "Serial No.:%s  Error Code:%d  \n"},
    {1016, "\n\n(Error Code:%d means the device is recording and cannot be set.)"},
    {1017, "The device is recording and cannot be set.\n\nStop the recording and set it again."},
    {1018, " "},
    {1019, "Date and time"},
    {1020, "Ch."},
    {1021, "Points"},
    {1022, "Before --> After"},
    {1023, "One-point adjustment"},
    {1024, "Two-point adjustment"},
    {1025, "The adjustment history could not be read."},
    {1026, "%.1f --> %.1f"},
    {1027, "The settings were reset."},
    {1028, "%s, %s, %08X, CH:%s, %s, %c\r\n"},
    {1029, "Reset"},
    {1030, "%s, %s, %08X, CH:%d, %s, %s-->%s, %c\r\n"},
    {1031, "One-point"},
    {1032, "Two-point"},
    {1033, "%s, %s, %08X, CH:%d, %s, %s-->%s, %s-->%s, %c\r\n"},
    {1034, "%s, %s, %08X, CH:%d, %s, %.1f-->%.1f, %c\r\n"},
    {1035, "%s, %s, %08X, CH:%d, %s, %.1f-->%.1f, %.1f-->%.1f, %c\r\n"},
    {1036, "The adjustment history file could not be saved. (code=%d)"},
    {1037,
     "Another operation is communicating, so communication was not possible. Please try again."},
    {1038,
     "The correction (Y=aX+b) is derived from the values entered;\nenter them so that the slope a "
     "is greater than %d and at most %d.\n\nSee the help for details."},
    {1039,
     "The correction (Y=aX+b) is derived from the values entered;\nenter them so that the offset b "
     "is at least %d and at most %d.\n\nSee the help for details."},
    {1040, "No change"},
    {1041, "CH:1 %s\nCH:2 %s\nwill be the correction.\n\nSend it?"},
    {1042, "CH:3 %s\nCH:4 %s\nwill be the correction.\n\nSend it?"},
    {1043, "%s --> %s"},
    {1044,
     "The correction (Y=aX+b) is derived from the values entered;\nenter them so that the slope a "
     "is not 0."},
    {1045, "No logger is connected to the base unit."},
    {1046, "More than one device is connected. Please connect only one device."},
    {1047, "1"},
    {1048, "The selected device is not connected."},
    {1049, "An error occurred while receiving the settings."},
    {1050, "The adjustment finished successfully."},
    {1051, "The values entered are not valid, so the adjustment cannot be made."},
    {1052, "The slope is 0."},
    {1053, "The slope must be greater than 0.0 and at most 2.0."},
    {1054, "The added offset exceeds ±30.0 (in °C)."},
    {1055, "mA"},
    {1056, "V"},
    {1058, "Temperature"},
    {1059, "4-20mA"},
    {1060, "Voltage"},
    {1062, "CO2 sensor"},
    {1063, "The range of the data entered is not valid."},
    {1064, "CH:1 %s\nwill be the correction.\n\nSend it?"},
    {1065, "CH:2 %s\nCH:3 %s\nwill be the correction.\n\nSend it?"},
    {1070, "The added offset exceeds ±50."},
    {1071, "The added offset exceeds ±30.0."},
    {1072, "The slope must be at least 0.5 and at most 2.0."},
    {1073, "The added offset exceeds ±3.0."},
    {2000, "dB"},
    {2001, "Noise/vibration"},
};

}  // namespace

std::span<const StringEntry> Strings() { return kStrings; }

}  // namespace tb::resources::english
