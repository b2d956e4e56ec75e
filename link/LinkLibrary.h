// The state and operations behind the link library's exports: the
// management table, the port table, the process-wide flags, the port layer,
// the bridge run-time library names and the diagnostics. The exports use one
// instance made when the library loads; tests make their own with a scripted
// port layer.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "link/LatchCheck.h"
#include "link/MngTable.h"
#include "link/PortTable.h"
#include "link/UsbPath.h"
#include "link/diag/Diagnostics.h"
#include "link/lan/LanLink.h"
#include "link/usbserial/PortLayer.h"

namespace tb::link {

inline constexpr int kLinkBaud = 38400;
inline constexpr int kPortBufferSize = 16384;
// The port library's selector that empties the bytes received and not yet read.
inline constexpr int kFlushReceived = 0;

class LinkLibrary {
  public:
    LinkLibrary(PortLayer& ports, LatchRuntimeNames runtimeNames,
                std::unique_ptr<diag::Diagnostics> diagnostics);
    ~LinkLibrary();
    LinkLibrary(const LinkLibrary&) = delete;
    LinkLibrary& operator=(const LinkLibrary&) = delete;

    // The operations of the exports, same arguments and results.
    int GetConnectNum(uint8_t* status, int length, int productId, int skipLatch);
    int GetSerial(uint32_t* serials, int count, int productId, int skipLatch);
    int OpenUSBComm(uint32_t serial);
    int OpenLANComm(const char* host, int port, const char* login, uint32_t option, uint32_t* key);
    int ClearCommBuf(uint32_t key, int selector);
    int SendComm(uint32_t key, const uint8_t* data, int length);
    int RecvComm(uint32_t key, uint8_t* buffer, int capacity, int timeoutSec);
    int CloseComm(uint32_t key);

    // Services for the transport paths.
    MngTable& Table() { return table_; }
    PortTable& Ports() { return portTable_; }
    PortLayer& PortCalls() { return ports_; }
    diag::Diagnostics& Diag() { return *diag_; }
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Pumps the calling thread's messages, runs the diagnostics' due work and sleeps.
    void PumpAndSleep(uint32_t ms);
    // Opens a COM port with the retries of a busy port; 0 and *handle, or a negative code.
    int OpenPort(int portNumber, uint32_t& handle);
    // Writes every byte, also when the port takes them in pieces; false when
    // the port fails or stops taking bytes.
    bool WriteAll(uint32_t handle, const uint8_t* data, int length);
    // True while a serial query runs.
    bool SerialQueryRunning() const { return serialQueryRunning_.load(); }

  private:
    LinkPath* PathOf(const MngEntry& entry);
    int TransportMismatch(MngEntry& entry, const char* operation);
    // Flags the COM ports of the asked product (primary, then secondary vendor).
    bool SearchDevices(int productId, uint8_t (&ports)[kPortCount]);
    enum class SerialQueryOutcome { Found, NoUnit, NoRuntime };
    // Asks the unit on one port for its serial number.
    SerialQueryOutcome QuerySerialOnPort(int portNumber, bool skipLatch, uint32_t& serial);
    // Reads exactly want bytes of the query's reply within its time limit,
    // pausing between reads; stepByStep takes one byte per read.
    bool ReadQueryReply(uint32_t handle, uint8_t* buffer, size_t want, bool stepByStep);

    PortLayer& ports_;
    LatchRuntimeNames runtimeNames_;
    std::unique_ptr<diag::Diagnostics> diag_;
    MngTable table_;
    PortTable portTable_;
    std::atomic<bool> openInProgress_{false};
    std::atomic<bool> serialQueryRunning_{false};
    UsbPath usb_;
    std::unique_ptr<lan::LanLink> lan_;
};

}  // namespace tb::link
