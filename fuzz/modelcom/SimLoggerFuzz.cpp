// Host bytes into the simulated loggers' frame cutter and command handler.
#include <cstddef>
#include <cstdint>
#include <span>

#include "sim/lgr87x/Lgr87xLogger.h"
#include "sim/lgr87x/Lgr87xWire.h"

using namespace tb::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    Lgr87xLogger logger(data[0] & 1 ? Lgr87xModel::k875 : Lgr87xModel::k870, 0x87000001);
    logger.FillRecords(data[0] >> 1);
    Lgr87xFrameCutter cutter;
    cutter.Push(std::span(data + 1, size - 1));
    while (auto request = cutter.Next()) logger.Answer(*request);
    return 0;
}
