#include "link/LinkLibrary.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "link/ResultCodes.h"
#include "platform/Clock.h"
#include "platform/Pump.h"

namespace tb::link {
namespace {

constexpr int kUnloadPumpRounds = 50;

}  // namespace

LinkLibrary::LinkLibrary(PortLayer& ports, LatchRuntimeNames runtimeNames,
                         std::unique_ptr<diag::Diagnostics> diagnostics)
    : ports_(ports),
      runtimeNames_(std::move(runtimeNames)),
      diag_(diagnostics ? std::move(diagnostics) : std::make_unique<diag::Diagnostics>()),
      usb_(*this),
      lan_(std::make_unique<lan::LanLink>(*this)) {
    Log("VkTR800Comm Start ----------------------------------");
}

LinkLibrary::~LinkLibrary() {
    bool dialogsOpen = false;
    for (MngEntry* entry = table_.Head(); entry; entry = entry->next) {
        dialogsOpen = dialogsOpen || entry->dialog != nullptr;
        lan_->DismissDialog(*entry);
    }
    lan_->Unload();
    // Give the dialogs' threads the time to close them; without dialogs there
    // is nothing to wait for (and at process exit nothing left to pump).
    for (int round = 0; dialogsOpen && round < kUnloadPumpRounds; ++round) {
        platform::PumpPendingMessages();
        platform::SleepMs(1);
    }
    diag_->PumpFlight();
    lan_.reset();
    table_.Clear();
}

void LinkLibrary::Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    diag_->VLog(format, args);
    va_end(args);
}

void LinkLibrary::PumpAndSleep(uint32_t ms) {
    platform::PumpPendingMessages();
    diag_->Service(table_);
    platform::SleepMs(ms);
}

LinkPath* LinkLibrary::PathOf(const MngEntry& entry) {
    switch (entry.TrFlg) {
        case kTransportUsb:
            return &usb_;
        case kTransportLan:
            return lan_.get();
        default:
            return nullptr;
    }
}

int LinkLibrary::TransportMismatch(MngEntry& entry, const char* operation) {
    entry.portValid = 0;
    entry.connectState = entry.sendState = entry.recvState = entry.closeState = kRequestIdle;
    Log("<!>%s pt->TrFlg Mismatch(%08x)", operation, entry.key);
    return kUnknownKey;
}

int LinkLibrary::OpenUSBComm(uint32_t serial) {
    MngEntry* entry = Sb_Get_Mngtable_Num(table_, serial);
    if (!entry) entry = Sb_Set_MngTable(table_, serial);
    if (!entry) {
        Log("<!>Sb_Set_MngTable Err(%08x)=%d", serial, kNoTableEntry);
        return kNoTableEntry;
    }
    return usb_.Open(*entry, serial);
}

int LinkLibrary::OpenLANComm(const char* host, int port, const char* login, uint32_t option,
                             uint32_t* key) {
    return lan_->Open(host, port, login, option, key);
}

int LinkLibrary::ClearCommBuf(uint32_t key, int selector) {
    MngEntry* entry = Sb_Get_Mngtable_Num(table_, key);
    if (!entry) return kUnknownKey;
    LinkPath* path = PathOf(*entry);
    // A closed entry's handle may belong to something else by now.
    if (!path) return kUnknownKey;
    return path->ClearCommBuf(*entry, selector);
}

int LinkLibrary::SendComm(uint32_t key, const uint8_t* data, int length) {
    MngEntry* entry = Sb_Get_Mngtable_Num(table_, key);
    if (!entry) {
        Log("<!>SendComm Sb_Get_Mngtable_Num Err(%08x)", key);
        return kUnknownKey;
    }
    LinkPath* path = PathOf(*entry);
    if (!path) return TransportMismatch(*entry, "SendComm");
    if (length < 0 || (!data && length > 0)) {
        Log("<!>SendComm Argument Err(%08x)", key);
        return kArgumentError;
    }
    return path->Send(*entry, data, length);
}

int LinkLibrary::RecvComm(uint32_t key, uint8_t* buffer, int capacity, int timeoutSec) {
    MngEntry* entry = Sb_Get_Mngtable_Num(table_, key);
    if (!entry) {
        Log("<!>RecvComm Sb_Get_Mngtable_Num Err(%08x)", key);
        return kUnknownKey;
    }
    LinkPath* path = PathOf(*entry);
    if (!path) return TransportMismatch(*entry, "RecvComm");
    if (!buffer) {
        Log("<!>RecvComm Argument data is NULL(%08x)", key);
        return kArgumentError;
    }
    if (capacity < 0 || timeoutSec < 0) {
        Log("<!>RecvComm Argument Err(%08x)", key);
        return kArgumentError;
    }
    // Left null when the memory is not there; the reception then reports -10.
    entry->rcvData = new (std::nothrow) uint8_t[static_cast<size_t>(capacity) + 1];
    entry->rcvCapacity = capacity;
    entry->rcvLength = 0;
    entry->result = 0;
    entry->rcvTimeoutSec = timeoutSec != 0 ? timeoutSec : path->DefaultTimeoutSec();

    path->Receive(*entry);

    int delivered = entry->result;
    if (entry->result == 1 && entry->rcvData && entry->rcvLength >= 0 &&
        entry->rcvLength <= capacity) {
        std::memcpy(buffer, entry->rcvData, static_cast<size_t>(entry->rcvLength));
        delivered = entry->rcvLength;
    } else if (entry->result >= 0) {
        // A path that ends without an error code has not delivered a frame.
        delivered = kTimeout;
    }
    entry->ReleaseBuffers();
    return delivered;
}

int LinkLibrary::CloseComm(uint32_t key) {
    MngEntry* entry = Sb_Get_Mngtable_Num(table_, key);
    if (!entry) {
        Log("<!>CloseComm Sb_Get_Mngtable_Num Err(%08x)", key);
        return kUnknownKey;
    }
    LinkPath* path = PathOf(*entry);
    if (!path) {
        lan_->EndWorker(*entry);
        return TransportMismatch(*entry, "CloseComm");
    }
    return path->Close(*entry);
}

}  // namespace tb::link
