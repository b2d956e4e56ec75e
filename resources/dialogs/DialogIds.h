// Numbers of the program's dialogs and icons.
#pragma once

namespace tb::resources {

inline constexpr int kDialogAbout = 100;
inline constexpr int kDialogMain = 101;
inline constexpr int kDialogLgr870 = 129;
inline constexpr int kDialogLgr850 = 130;
inline constexpr int kDialogSettings = 131;
inline constexpr int kDialogLgr820 = 133;
inline constexpr int kDialogLgr830 = 134;
inline constexpr int kDialogLgr875 = 135;
inline constexpr int kDialogLgr835 = 136;
inline constexpr int kDialogLgr890 = 139;

// The program icon (window, about box).
inline constexpr int kIconProgram = 128;

}  // namespace tb::resources
