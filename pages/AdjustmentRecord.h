// What a page operation that talked to a logger reports when it ends.
//
// Every page fills one AdjustmentRecord per initialise, send or receive and
// hands it to the recorder the program has installed (the adjustment
// journal). Pages stay free of storage: they only describe what happened.
// With no recorder installed nothing is recorded and nothing changes.
//
// A library of its own below the pages and the journal: the journal reads
// records without linking any page or device code.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pages/Correction.h"
#include "platform/ScopedSwap.h"

namespace tb::pages {

enum class PageOperation { Initialise, Send, Receive };

// The check kind of limits that come from a direct-USB model's own table
// (870, 875) rather than from a CheckKind.
inline constexpr int kModelTableLimits = -1;

// The limits that applied to a channel's entry: the composed slope's range
// and the composed offset's magnitude, in the logger's units.
struct AppliedLimits {
    int checkKind = 0;  // a CheckKind, or kModelTableLimits
    double minSlope = 0.0;
    double maxSlope = 0.0;
    double onePointOffsetLimit = 0.0;
    double twoPointOffsetLimit = 0.0;
};

// The units a channel's readings are entered in, as records name them
// whatever the interface language.
inline constexpr const char* kUnitCelsius = "°C";
inline constexpr const char* kUnitFahrenheit = "°F";
inline constexpr const char* kUnitRelativeHumidity = "%RH";
inline constexpr const char* kUnitMilliampere = "mA";
inline constexpr const char* kUnitVolt = "V";
inline constexpr const char* kUnitDecibel = "dB";
inline constexpr const char* kUnitLux = "lx";
inline constexpr const char* kUnitUv = "mW/cm²";
inline constexpr const char* kUnitPpm = "ppm";

// The temperature unit of the unit setting (0 degrees C, 1 degrees F).
inline const char* TemperatureUnit(int tempUnit) { return tempUnit == 1 ? kUnitFahrenheit : kUnitCelsius; }

// One channel as the operation found, changed and left it.
struct ChannelRecord {
    std::string name;                        // as the page labels it ("CH1", "温度", ...)
    std::string unit;                        // the unit readings are entered in (kUnit...); empty when unknown
    std::optional<Correction> asFound;       // what the logger held before
    std::vector<std::string> enteredPoints;  // before 1, after 1[, before 2, after 2] as typed
    std::optional<Correction> entered;       // derived from the points
    std::optional<Correction> composed;      // entered applied on top of as found
    std::optional<Correction> asLeft;        // what the logger holds afterwards, when known
    std::optional<AppliedLimits> limits;
};

struct AdjustmentRecord {
    std::string page;   // the page's name in the model catalogue ("820/821", "890", ...)
    std::string model;  // the logger's own model ("821", "870", ...); the page's name when unknown
    PageOperation operation = PageOperation::Send;
    std::string unitSerial;    // the base unit's serial ("%08X"), when there is one
    std::string loggerSerial;  // the logger's own serial or connection key
    int tempUnit = 0;          // 0 degrees C, 1 degrees F (entry and display)
    std::vector<ChannelRecord> channels;
    bool success = false;
    int messageId = 0;                  // the last numbered message the operation showed
    std::optional<int> resultCode;      // the library's code when the operation failed
    std::vector<uint8_t> historyEntry;  // the history entry written (870/875)
};

class AdjustmentRecorder {
  public:
    virtual ~AdjustmentRecorder() = default;
    // Stores the record. Must not throw; a failure is the recorder's to report.
    virtual void Record(const AdjustmentRecord& record) = 0;
};

// The recorder of the whole program (nullptr: record nothing).
std::atomic<AdjustmentRecorder*>& InstalledAdjustmentRecorder();
// Installs a recorder for the lifetime of the object.
using ScopedAdjustmentRecorder = platform::ScopedSwap<&InstalledAdjustmentRecorder>;

bool AdjustmentRecorderInstalled();
// Hands the record to the installed recorder, if any.
void RecordAdjustment(const AdjustmentRecord& record);

const char* OperationName(PageOperation operation);

}  // namespace tb::pages
