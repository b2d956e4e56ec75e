// The direct-USB logger behind an 870 or 875 page, as the page sees it:
// the search for the loggers of its model, the reads and the checked write
// of a tab's pair, and the history records (as the history's device).
//
// The program binds the model libraries (ModelcomDirectUsbLogger); tests
// can bind a fake. Every call after the search talks to the logger whose
// key the model's connection holds. Nothing here shows a message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pages/history/AdjustmentHistory.h"
#include "pages/lgr87x/DirectUsbModel.h"

namespace tb::pages::lgr87x {

// The failure code reported when the logger acknowledged a calibration
// write but reading the pair back gives other codes.
inline constexpr int kReadBackDiffers = -98;

// A logger of the model found on a port.
struct FoundLogger {
    int port = 0;  // 1-based
    uint32_t key = 0;
    int16_t modelCode = 0;
    std::string name;  // the first name the logger reports
};

class DirectUsbLogger : public history::HistoryDevice {
  public:
    // Every logger of the model attached now, in port order.
    virtual std::vector<FoundLogger> Search() = 0;
    // The tab's pair as the logger holds it, asked once; `codes` is
    // unchanged on failure. The library's code.
    virtual int ReadCorrection(int tab, CalibrationCodes& codes) = 0;
    // Writes the tab's pair with the write's retries, pauses, and reads it
    // back with the read's retries into `held`: 0 when the logger holds
    // what was written, kReadBackDiffers when it holds other codes, else
    // the failed call's code (`held` then unchanged).
    virtual int WriteCorrection(int tab, int32_t time, const CalibrationCodes& codes,
                                CalibrationCodes& held) = 0;
};

}  // namespace tb::pages::lgr87x
