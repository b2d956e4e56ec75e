#include "cli/PortSurvey.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdlib>

#include "cli/BatchWorker.h"
#include "platform/DeviceIds.h"
#include "platform/usbserial/ComPortMap.h"
#include "platform/usbserial/PortResults.h"
#include "platform/usbserial/Vk800UsbSerialEx.h"

namespace tb::cli {
namespace {

constexpr int kProbeBaud = 9600;
constexpr int kProbeBuffer = 64;

// Whether another program holds the port (its lock is taken).
bool HeldElsewhere(int com) {
    uint32_t handle = 0;
    const int opened =
        Vk800UsbSerialEx_OpenComm(com, kProbeBuffer, kProbeBuffer, kProbeBaud, &handle);
    if (opened == 0) Vk800UsbSerialEx_CloseComm(handle);
    return opened == usbserial::kPortBusy;
}

// Whether the port's USB identity is one of the loggers' or base units'
// (only those are probed: opening a stranger's port has effects of its own).
bool OneOfOurs(const usbserial::UsbId& id) {
    const platform::DeviceIds ids = platform::LoadDeviceIds();
    if (id == usbserial::UsbId{ids.lgr870Vendor, ids.lgr870Product} ||
        id == usbserial::UsbId{ids.lgr875Vendor, ids.lgr875Product})
        return true;
    if (id.vendor != ids.primaryVendor && id.vendor != ids.secondaryVendor) return false;
    for (uint16_t product : ids.baseProducts)
        if (id.product == product) return true;
    return false;
}

// The model-890 cable's identity (product P6). Base-unit discovery would
// send its serial query there too and wait its whole time for an answer
// the cable never gives; the cable is listed as `list` lists it.
bool CableIdentity(const usbserial::UsbId& id) {
    const platform::DeviceIds ids = platform::LoadDeviceIds();
    return (id.vendor == ids.primaryVendor || id.vendor == ids.secondaryVendor) &&
           id.product == ids.Product(6);
}

std::vector<AttachedLogger> ListedOn(const usbserial::ComPort& port) {
    return CableIdentity(port.id) ? ListCables() : ListAttached();
}

}  // namespace

std::string ConfinementEntry(int com) {
    return std::string(usbserial::kConfinedPortsVariable) + "=" + std::to_string(com);
}

SurveyedPort SurveyOwnPort() {
    const usbserial::ComPortMap map = usbserial::ComPortMap::Load();
    if (map.Ports().size() != 1) return {};
    const usbserial::ComPort& port = map.Ports().front();
    SurveyedPort surveyed{port.number, false, ListedOn(port)};
    if (surveyed.loggers.empty()) surveyed.busy = HeldElsewhere(port.number);
    return surveyed;
}

std::vector<SurveyedPort> SurveyPorts() {
    const usbserial::ComPortMap map = usbserial::ComPortMap::Load();
    std::vector<std::unique_ptr<WorkerProcess>> workers;
    for (const usbserial::ComPort& port : map.Ports()) {
        if (!OneOfOurs(port.id)) continue;
        std::string error;
        if (auto worker = WorkerProcess::Start(port.number, "--survey", error)) workers.push_back(std::move(worker));
    }
    std::vector<SurveyedPort> found;
    for (const auto& worker : workers) {
        worker->Finish();
        const auto line = worker->Output().Next();
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line.value_or("")));
        auto surveyed = document.isObject() ? SurveyedFromJson(document.object()) : std::nullopt;
        if (surveyed && (surveyed->busy || !surveyed->loggers.empty())) found.push_back(std::move(*surveyed));
    }
    return found;
}

QJsonObject SurveyedJson(const SurveyedPort& port) {
    QJsonArray loggers;
    for (const AttachedLogger& logger : port.loggers) {
        QJsonObject entry{{"model", QString::fromStdString(logger.model)},
                          {"detail", QString::fromStdString(logger.detail)},
                          {"via", QString::fromUtf8(ViaName(logger))}};
        if (logger.serial) entry["serial"] = static_cast<double>(*logger.serial);
        if (logger.com) entry["com"] = *logger.com;
        if (logger.settings)
            entry["settings"] = QString::fromLatin1(
                QByteArray(reinterpret_cast<const char*>(logger.settings->data()), 64).toHex());
        loggers.append(entry);
    }
    return {{"com", port.com}, {"busy", port.busy}, {"loggers", loggers}};
}

std::optional<SurveyedPort> SurveyedFromJson(const QJsonObject& object) {
    const int com = object["com"].toInt();
    if (com < usbserial::kFirstComNumber || com > usbserial::kLastComNumber) return std::nullopt;
    SurveyedPort port{com, object["busy"].toBool(), {}};
    for (const QJsonValue& value : object["loggers"].toArray()) {
        const QJsonObject entry = value.toObject();
        AttachedLogger logger;
        logger.model = entry["model"].toString().toStdString();
        logger.detail = entry["detail"].toString().toStdString();
        if (!SetVia(logger, entry["via"].toString().toStdString())) continue;
        const double serial = entry["serial"].toDouble(-1);
        if (serial >= 0 && serial <= 0xFFFFFFFF) logger.serial = static_cast<uint32_t>(serial);
        if (entry.contains("com")) logger.com = entry["com"].toInt();
        const QByteArray settings = QByteArray::fromHex(entry["settings"].toString().toLatin1());
        if (settings.size() == 64) {
            std::array<uint8_t, 64> block{};
            std::copy(settings.begin(), settings.end(), block.begin());
            logger.settings = block;
        }
        port.loggers.push_back(std::move(logger));
    }
    return port;
}

}  // namespace tb::cli
