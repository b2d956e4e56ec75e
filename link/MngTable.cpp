#include "link/MngTable.h"

#include <new>

namespace tb::link {

void MngEntry::ReleaseBuffers() {
    delete[] sendData;
    sendData = nullptr;
    sendLength = 0;
    delete[] rcvData;
    rcvData = nullptr;
}

MngTable::~MngTable() { Clear(); }

void MngTable::PushFront(MngEntry* entry) {
    entry->next = head_;
    head_ = entry;
}

void MngTable::Clear() {
    while (head_) {
        MngEntry* next = head_->next;
        head_->ReleaseBuffers();
        delete head_;
        head_ = next;
    }
}

MngEntry* Sb_Set_MngTable(MngTable& table, uint32_t key) {
    auto* entry = new (std::nothrow) MngEntry;
    if (!entry) return nullptr;
    entry->key = key;
    table.PushFront(entry);
    return entry;
}

MngEntry* Sb_Get_Mngtable_Num(const MngTable& table, uint32_t key) {
    for (MngEntry* entry = table.Head(); entry; entry = entry->next)
        if (entry->key == key) return entry;
    return nullptr;
}

MngEntry* FindEntryHoldingPort(const MngTable& table, uint32_t portNumber) {
    for (MngEntry* entry = table.Head(); entry; entry = entry->next)
        if (entry->portValid == 1 && entry->portNumber == portNumber) return entry;
    return nullptr;
}

}  // namespace tb::link
