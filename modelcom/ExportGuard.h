// Keeps exceptions from crossing a library export.
#pragma once

#include <new>
#include <utility>

#include "modelcom/ResultCodes.h"

namespace tb::modelcom {

// Runs the body of an export; an exception (only an allocation failure is
// possible) ends it with -32, as a list entry that cannot be created would.
template <typename Body>
int Guarded(Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return kListEntryFailed;
    }
}

// The same for the conversions, which return a value rather than a code:
// they only allocate text, so a failure there gives `fallback`.
template <typename T, typename Body>
T GuardedValue(T fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return fallback;
    }
}

}  // namespace tb::modelcom
