#include "link/UsbPath.h"

#include <cstdio>

#include "link/FrameReception.h"
#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "platform/Clock.h"

namespace tb::link {
namespace {

constexpr int kCloseWaitRounds = 52;

}  // namespace

std::string FirstBytesText(const uint8_t* data, int length) {
    std::string text;
    for (int i = 0; data && i < length && i < 8; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x ", data[i]);
        text += hex;
    }
    return text;
}

int UsbPath::Open(MngEntry& entry, uint32_t serial) {
    const int port = Sb_Get_Port_from_Table(link_.Ports(), serial);
    if (port == 0) {
        link_.Log("<!>Sb_Get_Port_from_Table Err(%08x)", serial);
        return kUsbOpenFailed;
    }
    uint32_t handle = 0;
    const int opened = link_.OpenPort(port, handle);
    if (opened != 0) {
        link_.Log("<!>USB OPEN Err(%08x)=%d", serial, opened);
        return kUsbOpenFailed;
    }
    entry.portHandle = handle;
    entry.portNumber = static_cast<uint32_t>(port);
    entry.portValid = 1;
    entry.TrFlg = kTransportUsb;
    link_.Log("USB Open Success(%08x)", serial);
    return 0;
}

int UsbPath::Send(MngEntry& entry, const uint8_t* data, int length) {
    if (link_.PortCalls().FlushComm(entry.portHandle, kFlushReceived) == 0) {
        link_.Log("<!>Vk800UsbSerialEx_FlushComm Err(%08x)", entry.key);
        return kSendFailed;
    }
    if (!link_.WriteAll(entry.portHandle, data, length)) {
        link_.Log("<!>USB Send Err(%08x)", entry.key);
        return kSendFailed;
    }
    link_.Log("USB Send(%08x) %s...", entry.key, FirstBytesText(data, length).c_str());
    return 0;
}

void UsbPath::Receive(MngEntry& entry) {
    const uint32_t handle = entry.portHandle;
    ReceptionPort port{[this, handle](uint8_t* buffer, int count) {
                           return link_.PortCalls().ReadComm(handle, buffer, count);
                       },
                       [this](uint32_t ms) { link_.PumpAndSleep(ms); }};
    if (Sb_Data_Recv(entry, port, link_.Diag()) >= 0)
        link_.Log("USB Recv Success(%08x) %s...", entry.key,
                  FirstBytesText(entry.rcvData, entry.rcvLength).c_str());
}

int UsbPath::ClearCommBuf(MngEntry& entry, int selector) {
    link_.PortCalls().FlushComm(entry.portHandle, selector);
    return 0;
}

int UsbPath::Close(MngEntry& entry) {
    // A serial query of a nested call may be using the port table; give it a moment.
    for (int round = 0; round < kCloseWaitRounds && link_.SerialQueryRunning(); ++round)
        link_.PumpAndSleep(1);
    link_.PortCalls().CloseComm(entry.portHandle);
    entry.TrFlg = kTransportClosed;
    // The port no longer belongs to this entry.
    entry.portValid = 0;
    link_.Log("USB Close(%08x)", entry.key);
    return 0;
}

}  // namespace tb::link
