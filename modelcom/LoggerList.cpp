#include "modelcom/LoggerList.h"

#include <new>

namespace tb::modelcom {

LoggerEntry* LoggerList::Find(uint32_t serial) {
    std::lock_guard lock(mutex_);
    for (LoggerEntry& entry : entries_) {
        if (entry.serial == serial) return &entry;
    }
    return nullptr;
}

LoggerEntry* LoggerList::FindOrCreate(uint32_t serial) {
    std::lock_guard lock(mutex_);
    for (LoggerEntry& entry : entries_) {
        if (entry.serial == serial) return &entry;
    }
    try {
        entries_.emplace_front(serial);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return &entries_.front();
}

void LoggerList::Clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

}  // namespace tb::modelcom
