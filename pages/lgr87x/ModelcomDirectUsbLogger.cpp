#include "pages/lgr87x/ModelcomDirectUsbLogger.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "client/ReservedComPorts.h"
#include "pages/lgr87x/RetryRules.h"
#include "services/PageServices.h"

namespace tb::pages::lgr87x {
namespace {

// Ports to ask about when the port layer cannot say how many there are.
constexpr int kDefaultPortCount = 32;
constexpr uint32_t kAfterWriteMs = 300;
// The library fills up to 16 bytes of a name, without a terminator when
// the name takes all 16.
constexpr std::size_t kNameBufferSize = 16;

// How many ports to ask about: as many as the port layer has handed out,
// never more than the flags IsConnect can fill.
int PortsToAsk() {
    std::vector<int> reserved;
    int ports = client::ReservedComPorts(reserved);
    if (ports < 0) ports = kDefaultPortCount;
    return std::min(ports, static_cast<int>(kPortFlagCount));
}

class ModelcomDirectUsbLogger final : public DirectUsbLogger {
  public:
    explicit ModelcomDirectUsbLogger(const ModelTable& model) : model_(model) {}

    std::vector<FoundLogger> Search() override {
        const int ports = PortsToAsk();
        // One flag per port the port layer can report: the library writes
        // `ports` of them.
        std::array<uint8_t, kPortFlagCount> flags{};
        std::vector<FoundLogger> found;
        if (model_.calls.isConnect(flags.data(), ports) < 1) return found;
        for (int index = 0; index < ports; ++index) {
            if (flags[static_cast<std::size_t>(index)] == 0) continue;
            FoundLogger logger;
            logger.port = index + 1;
            char nameA[kNameBufferSize] = {};
            char nameB[kNameBufferSize] = {};
            const int code = CallWithReadRetry([&] {
                return model_.calls.getMachInfo(logger.port, &logger.key, &logger.modelCode, nameA,
                                                nameB);
            });
            // Only a logger of this model is one of the model's loggers.
            if (code != 0 || logger.modelCode != model_.modelCode) continue;
            logger.name.assign(nameA, strnlen(nameA, kNameBufferSize));
            found.push_back(std::move(logger));
        }
        return found;
    }

    int ReadCorrection(int tab, CalibrationCodes& codes) override {
        CalibrationCodes read{};
        const int code = model_.calls.getCalibration(tab, model_.connection.key, read);
        if (code == 0) codes = read;
        return code;
    }

    int WriteCorrection(int tab, int32_t time, const CalibrationCodes& codes,
                        CalibrationCodes& held) override {
        const uint32_t key = model_.connection.key;
        const int code =
            CallWithWriteRetry([&] { return model_.calls.setCalibration(tab, key, time, codes); });
        services::PumpWait(kAfterWriteMs);
        if (code != 0) return code;
        CalibrationCodes read{};
        const int readCode =
            CallWithReadRetry([&] { return model_.calls.getCalibration(tab, key, read); });
        if (readCode != 0) return readCode;
        held = read;
        return held == codes ? 0 : kReadBackDiffers;
    }

    int ReadRecord(int sensor, std::span<uint8_t, history::kRecordSize> record) override {
        return CallWithReadRetry(
            [&] { return model_.calls.getHistory(sensor, model_.connection.key, record.data()); });
    }
    int WriteRecord(int sensor, std::span<const uint8_t, history::kRecordSize> record) override {
        return CallWithWriteRetry(
            [&] { return model_.calls.setHistory(sensor, model_.connection.key, record.data()); });
    }

  private:
    const ModelTable& model_;
};

}  // namespace

std::unique_ptr<DirectUsbLogger> MakeModelcomLogger(const ModelTable& model) {
    return std::make_unique<ModelcomDirectUsbLogger>(model);
}

}  // namespace tb::pages::lgr87x
