// A channel's linear correction, as the pages compute it and the journal
// records it.
#pragma once

namespace tb::pages {

// Slope and offset of y = a*x + b for one channel, in the channel's own unit
// (degrees C for temperature). The identity is the logger's factory state.
struct Correction {
    double slope = 1.0;
    double offset = 0.0;

    friend bool operator==(const Correction&, const Correction&) = default;
};

}  // namespace tb::pages
