// The result codes of the USB serial port library's calls (Vk800UsbSerialEx.h
// says which call returns which). The link and model libraries and the
// command line compare the port library's answers against these.
#pragma once

namespace tb::usbserial {

inline constexpr int kPortNone = -1;         // CheckPort: no device with that id
inline constexpr int kPortBadArgument = -2;  // CheckPort: bad arguments
inline constexpr int kPortCannotOpen = -4;   // OpenComm: unknown number, not a terminal, bad baud
inline constexpr int kPortReadFailed = -5;
inline constexpr int kPortWriteFailed = -6;
inline constexpr int kPortBusy = -7;  // OpenComm: another opener holds the port

}  // namespace tb::usbserial
