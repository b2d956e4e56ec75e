// Finding the base unit to talk to, the kind of logger behind it, and the
// serial port of the model-890 cable. Every call asks the hardware again;
// the last device found is kept only so that a caller can pin it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tb::client {

struct ProductIdentity {
    uint16_t productId = 0;
    int32_t skipLatch = 0;  // 0: the link library checks the latch, 1: it skips the check
};

inline constexpr std::size_t kProductIdentityCount = 7;
inline constexpr std::size_t kUnitListSize = 256;
inline constexpr int kSerialPortTries = 28;

// The identities scanned, in order, with the product ids of the settings
// file's [Devices] group (P1, P2, P3, P3, P4, P5, P6).
std::array<ProductIdentity, kProductIdentityCount> ProductIdentityTable();

// The key of the first unit that the first answering identity lists; with a
// unit pinned, that unit when some identity lists it, else nothing.
std::optional<uint32_t> FindBaseUnit();

// Every unit that some identity lists, each once, in the order found.
std::vector<uint32_t> ListBaseUnits();

// The 64-byte settings block of a unit's logger; nothing when the read fails.
std::optional<std::array<uint8_t, 64>> ReadUnitSettings(uint32_t unitKey);

// Narrows discovery to one device for the rest of the process: the command
// line pins the unit or cable port that --serial or --port names, so that
// every operation of a page talks to that device and to no other. nullopt
// lifts the pin.
void PinBaseUnit(std::optional<uint32_t> unitKey);
void PinSerialPort(std::optional<int> comNumber);
// The pins in force, so that a narrower pin can put them back when it ends.
std::optional<uint32_t> PinnedBaseUnit();
std::optional<int> PinnedSerialPort();
// The unit FindBaseUnit last answered with and the port FindSerialPort last
// answered with (nothing when it found none): a connection check that found
// a device pins it without asking the hardware again. Forget clears both.
std::optional<uint32_t> LastFoundBaseUnit();
std::optional<int> LastFoundSerialPort();
void ForgetLastFound();

// Device codes at byte 62 of the settings block that each check accepts.
bool BaseUnitModelAccepts(int kind, std::span<const uint8_t, 64> settings);
bool MultiInputModelAccepts(int kind, std::span<const uint8_t, 64> settings);

// True when the first unit found holds a logger that the page of this kind
// serves (one-channel 0, model 830 1, model 835 3).
bool CheckBaseUnitModel(int kind);
// The same check, giving the logger's device code when the page serves it.
std::optional<uint8_t> ServedDeviceCode(int kind);
// The same for the multi-input logger and its input kind 0 to 4.
bool CheckMultiInputModel(int kind);

// The COM number (1 to 256) of the model-890 cable, or -1; with a port
// pinned, that port when a cable is on it, else -1.
int FindSerialPort();

// The COM numbers of every model-890 cable attached, in increasing order.
std::vector<int> ListSerialPorts();

}  // namespace tb::client
