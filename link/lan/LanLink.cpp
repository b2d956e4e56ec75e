#include "link/lan/LanLink.h"

#include <cstring>
#include <new>

#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"
#include "link/UsbPath.h"
#include "link/lan/LanMessages.h"
#include "link/lan/LoginDialogue.h"

namespace tb::link::lan {
namespace {

constexpr uint32_t kWaitPauseMs = 1;

bool AnyRequestActive(MngEntry& entry) {
    return LoadShared(entry.connectState) != kRequestIdle ||
           LoadShared(entry.sendState) != kRequestIdle ||
           LoadShared(entry.recvState) != kRequestIdle ||
           LoadShared(entry.closeState) != kRequestIdle;
}

}  // namespace

LanLink::~LanLink() { Unload(); }

MngEntry* LanLink::AssignKey() {
    for (uint32_t key = kFirstLanKey; key <= kLastLanKey; ++key) {
        MngEntry* entry = Sb_Get_Mngtable_Num(link_.Table(), key);
        if (!entry) {
            entry = Sb_Set_MngTable(link_.Table(), key);
            if (!entry) link_.Log("<!>Sb_Set_MngTable Err(%08x)=%d", key, kNoTableEntry);
            return entry;
        }
        if (LoadShared(entry->connectState) == kRequestIdle && entry->TrFlg == kTransportClosed)
            return entry;
    }
    return nullptr;
}

int LanLink::Open(const char* host, int port, const char* login, uint32_t option, uint32_t* key) {
    if (!key) {
        link_.Log("<!>Argument Err(%08x)", 0u);
        return kArgumentError;
    }
    *key = 0;
    MngEntry* entry = AssignKey();
    if (!entry) return kNoTableEntry;
    entry->TrFlg = kTransportLan;
    *key = entry->key;
    link_.Log("Connect Start(%08x %s[%d]", entry->key, host ? host : "", port);

    if (int stored = StoreRequest(*entry, host, port, login, option); stored != 0) {
        Close(*entry);
        return stored;
    }
    if (!RequestConnect(*entry)) {
        link_.Log("<!>Create Thread Err(%08x)", entry->key);
        Close(*entry);
        return kNoWorkerThread;
    }
    WaitForWorker(*entry, [entry] { return LoadShared(entry->result) != kStepPending; });
    int result = LoadShared(entry->result);
    if (result == kStepPending) result = kLanConnectFailed;  // the worker ended on its way
    if (result == kStepSucceeded)
        link_.Log("Connect Success(%08x)", entry->key);
    else
        link_.Log("<!>Connect Result=%d(%08x)", result, entry->key);
    if (result >= 0) return 0;
    Close(*entry);
    return result;
}

int LanLink::StoreRequest(MngEntry& entry, const char* host, int port, const char* login,
                          uint32_t option) {
    // Checked in scratch fields first: the entry's own change only once the
    // request is sure to go ahead.
    MngEntry scratch;
    const bool portUsable = port > 0 && port <= 0xFFFF;
    if (option == 0 || !portUsable || !StoreHost(host, scratch.host) ||
        !StoreLogin(login, scratch.login)) {
        link_.Log("<!>Argument Err(%08x)", entry.key);
        return kArgumentError;
    }
    if (AnyRequestActive(entry)) {
        link_.Log("<!>Comminucation in Progress(%08x)", entry.key);
        return kLanBusy;
    }
    std::memcpy(entry.host, scratch.host, sizeof entry.host);
    std::memcpy(entry.login, scratch.login, sizeof entry.login);
    entry.lanOption = option;
    entry.tcpPort = static_cast<uint16_t>(port);
    StoreShared(entry.result, kStepPending);
    StoreShared(entry.connectState, kRequestPending);
    return 0;
}

bool LanLink::RequestConnect(MngEntry& entry) {
    LanWorker* worker = WorkerOf(entry);
    if (worker && worker->Running()) {
        if (platform::WindowHandle dialog = LiveDialog(entry))
            return platform::PostWindowMessage(dialog, kConnectRequest);
    }
    if (worker) worker->Join();  // its dialog is gone, so is (or soon) its thread
    auto& slot = workers_[entry.key];
    if (!slot) slot = std::make_unique<LanWorker>(link_, entry);
    return slot->Start();
}

bool LanLink::WaitForWorker(const MngEntry& entry, const std::function<bool()>& done) {
    LanWorker* worker = WorkerOf(entry);
    for (;;) {
        if (done()) return true;
        if (!worker || !worker->Running()) return done();
        link_.PumpAndSleep(kWaitPauseMs);
    }
}

LanWorker* LanLink::WorkerOf(const MngEntry& entry) {
    auto it = workers_.find(entry.key);
    return it == workers_.end() ? nullptr : it->second.get();
}

platform::WindowHandle LanLink::LiveDialog(const MngEntry& entry) {
    LanWorker* worker = WorkerOf(entry);
    if (!worker) return nullptr;
    platform::WindowHandle dialog = worker->Dialog();
    return platform::IsMessageWindow(dialog) ? dialog : nullptr;
}

int LanLink::Send(MngEntry& entry, const uint8_t* data, int length) {
    link_.Log("LAN Send Start(%08x) %s...", entry.key, FirstBytesText(data, length).c_str());
    platform::WindowHandle dialog = LiveDialog(entry);
    if (!dialog) {
        link_.Log("<!>Dlg NULL(%08x)", entry.key);
        return kUnknownKey;
    }
    delete[] entry.sendData;
    entry.sendData = length > 0 ? new (std::nothrow) uint8_t[static_cast<size_t>(length)] : nullptr;
    if (length > 0 && !entry.sendData) return kSendFailed;
    if (length > 0) std::memcpy(entry.sendData, data, static_cast<size_t>(length));
    entry.sendLength = length;
    StoreShared(entry.result, kStepPending);
    StoreShared(entry.sendState, kRequestPending);
    const bool answered =
        platform::PostWindowMessage(dialog, kSendRequest) &&
        WaitForWorker(entry, [&] { return LoadShared(entry.sendState) != kRequestPending; });
    StoreShared(entry.sendState, kRequestIdle);
    const int result = answered ? LoadShared(entry.result) : kStepFailed;
    if (!answered) entry.ReleaseBuffers();  // the worker never took the copy
    link_.Log("LAN Send Result(%08x)=%d", entry.key, result);
    return result < 0 ? kSendFailed : 0;
}

void LanLink::Receive(MngEntry& entry) {
    link_.Log("Recv Start(%08x)", entry.key);
    platform::WindowHandle dialog = LiveDialog(entry);
    if (!dialog) {
        link_.Log("<!>Dlg NULL(%08x)", entry.key);
        entry.result = kUnknownKey;
        return;
    }
    StoreShared(entry.recvState, kRequestPending);
    const bool answered =
        platform::PostWindowMessage(dialog, kReceiveRequest) &&
        WaitForWorker(entry, [&] { return LoadShared(entry.recvState) != kRequestPending; });
    StoreShared(entry.recvState, kRequestIdle);
    if (!answered) entry.result = kUnknownKey;  // the worker ended before it answered
    if (entry.result == kStepSucceeded)
        link_.Log("LAN Recv Success(%08x) %s...", entry.key,
                  FirstBytesText(entry.rcvData, entry.rcvLength).c_str());
    else
        link_.Log("<!>LAN Recv Err Result(%08x)=%d", entry.key, entry.result);
}

int LanLink::DefaultTimeoutSec() const { return kLanDefaultTimeoutSec; }

// A LAN link has no port buffers to flush.
int LanLink::ClearCommBuf(MngEntry&, int) { return 0; }

int LanLink::Close(MngEntry& entry) {
    link_.Log("Close Start(%08x)", entry.key);
    // A request is in progress until the caller's own send or receive has
    // returned, not merely until the worker has answered it: a close from a
    // handler that runs while the caller waits must not pull the key away
    // from under that call.
    if (LoadShared(entry.sendState) != kRequestIdle ||
        LoadShared(entry.recvState) != kRequestIdle) {
        link_.Log("<!>CloseComm LAN Comminucation in Progress(%08x)", entry.key);
        return kLanBusy;
    }
    StoreShared(entry.closeState, kRequestPending);
    if (platform::WindowHandle dialog = LiveDialog(entry)) {
        // Sent, not posted: it returns once the worker has disconnected, or
        // at once if the worker's dialog or thread goes meanwhile.
        platform::TrySendWindowMessage(dialog, kCloseRequest);
    }
    StoreShared(entry.closeState, kRequestIdle);
    StoreShared(entry.connectState, kRequestIdle);
    entry.TrFlg = kTransportClosed;
    link_.Log("LAN Close Complete(%08x)", entry.key);
    return 0;
}

void LanLink::DismissDialog(MngEntry& entry) {
    if (LanWorker* worker = WorkerOf(entry)) worker->Dismiss();
}

void LanLink::EndWorker(MngEntry& entry) {
    LanWorker* worker = WorkerOf(entry);
    if (!worker) return;
    // Pumping, as every wait of the caller does, until the thread has gone:
    // a dialog that is merely asked to close would still take the next
    // open's connect request and then drop it. Asked again while the thread
    // runs, in case it had not yet made its dialog.
    while (worker->Running()) {
        worker->Dismiss();
        link_.PumpAndSleep(kWaitPauseMs);
    }
    worker->Join();
}

void LanLink::Unload() {
    for (auto& [key, worker] : workers_) worker->Dismiss();
    for (auto& [key, worker] : workers_) worker->Join();
}

}  // namespace tb::link::lan
