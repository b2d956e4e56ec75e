#include "cli/LoggerDirectory.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "client/BaseUnitDiscovery.h"
#include "client/CommandExchange.h"
#include "client/LanUnitLink.h"
#include "pages/ModelPages.h"
#include "pages/lgr87x/ModelcomDirectUsbLogger.h"

namespace tb::cli {
namespace {

constexpr std::size_t kDeviceCodeAt = 62;

// The names of ViaName, by transport; a base unit on the LAN is "lan".
struct ViaText {
    Transport transport;
    std::string_view name;
};
constexpr std::array<ViaText, 3> kViaNames = {{
    {Transport::BaseUnit, "usb-base-unit"},
    {Transport::Cable, "cable"},
    {Transport::DirectUsb, "usb"},
}};
constexpr std::string_view kLanName = "lan";

std::string Hex8(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string DeviceCodeText(std::span<const uint8_t, 64> settings) {
    char text[24];
    std::snprintf(text, sizeof text, "device code 0x%02X", settings[kDeviceCodeAt]);
    return text;
}

// "820/821" for a logger that both rows serve; "850 tc" with the input kind.
std::string ModelsAccepting(std::span<const uint8_t, 64> settings) {
    std::string names;
    for (const ModelRow& row : Models()) {
        const auto kind = ServedKind(row, std::nullopt, settings);
        if (!kind) continue;
        if (!names.empty()) names += '/';
        names += row.model;
        for (const InputKindName& name : row.inputKinds)
            if (name.index == *kind) names += " " + std::string(name.name);
    }
    return names;
}

AttachedLogger BaseUnitEntry(uint32_t key) {
    AttachedLogger entry{{}, {}, key, std::nullopt, Transport::BaseUnit, std::nullopt};
    if (const auto settings = client::ReadUnitSettings(key)) {
        entry.model = ModelsAccepting(*settings);
        entry.detail = DeviceCodeText(*settings);
        entry.settings = settings;
    }
    return entry;
}

}  // namespace

std::string_view ViaName(const AttachedLogger& logger) {
    if (logger.overLan) return kLanName;
    for (const ViaText& via : kViaNames)
        if (via.transport == logger.transport) return via.name;
    return {};
}

bool SetVia(AttachedLogger& logger, std::string_view name) {
    logger.overLan = name == kLanName;
    if (logger.overLan) {
        logger.transport = Transport::BaseUnit;
        return true;
    }
    for (const ViaText& via : kViaNames) {
        if (via.name != name) continue;
        logger.transport = via.transport;
        return true;
    }
    return false;
}

std::vector<AttachedLogger> ListAttached() {
    std::vector<AttachedLogger> list;
    for (uint32_t key : client::ListBaseUnits()) list.push_back(BaseUnitEntry(key));
    const std::vector<AttachedLogger> cables = ListCables();
    list.insert(list.end(), cables.begin(), cables.end());
    for (const ModelRow& row : Models()) {
        const std::vector<AttachedLogger> loggers = DirectUsbLoggers(row);
        list.insert(list.end(), loggers.begin(), loggers.end());
    }
    return list;
}

std::vector<AttachedLogger> ListCables() {
    std::vector<AttachedLogger> cables;
    for (int com : client::ListSerialPorts())
        cables.push_back({std::string(pages::CableModel()), {}, std::nullopt, com, Transport::Cable,
                          std::nullopt});
    return cables;
}

// Searched as the model's page searches them.
std::vector<AttachedLogger> DirectUsbLoggers(const ModelRow& row) {
    std::vector<AttachedLogger> list;
    const pages::lgr87x::ModelTable* model = pages::DirectUsbTable(row);
    if (model == nullptr) return list;
    const auto logger = pages::lgr87x::MakeModelcomLogger(*model);
    for (const pages::lgr87x::FoundLogger& found : logger->Search()) {
        std::string detail = "type " + std::to_string(found.modelCode);
        if (!found.name.empty()) detail += ", " + found.name;
        list.push_back({std::string(row.model), detail, found.key, found.port, Transport::DirectUsb,
                        std::nullopt});
    }
    return list;
}

std::optional<AttachedLogger> ListLanUnit(const std::string& host, int port,
                                          const std::string& login, int& error) {
    const client::LanUnitLink link(host, port, login);
    error = link.OpenError();
    if (error != 0) return std::nullopt;
    client::CommandExchange exchange(64);
    error = client::SettingsRead(link.Key(), exchange);
    if (error != 0) return std::nullopt;
    std::array<uint8_t, 64> settings{};
    std::copy(exchange.block.begin(), exchange.block.end(), settings.begin());
    AttachedLogger entry{{}, {}, std::nullopt, std::nullopt, Transport::BaseUnit, std::nullopt, true};
    entry.model = ModelsAccepting(settings);
    entry.detail = host + ":" + std::to_string(port) + ", " + DeviceCodeText(settings);
    return entry;
}

std::optional<int> ServedKind(const ModelRow& row, std::optional<int> asked,
                              std::span<const uint8_t, 64> settings) {
    if (row.transport != Transport::BaseUnit) return std::nullopt;
    if (asked) return pages::Accepts(row, *asked, settings) ? asked : std::nullopt;
    if (row.inputKinds.empty())
        return pages::Accepts(row, 0, settings) ? std::optional<int>(0) : std::nullopt;
    for (const InputKindName& kind : row.inputKinds)
        if (pages::Accepts(row, kind.index, settings)) return kind.index;
    return std::nullopt;
}

bool Serves(const ModelRow& row, std::optional<int> inputKind, const AttachedLogger& logger) {
    if (logger.overLan || logger.transport != row.transport) return false;
    switch (row.transport) {
        case Transport::BaseUnit:
            return logger.settings && ServedKind(row, inputKind, *logger.settings).has_value();
        case Transport::Cable:
            return true;
        case Transport::DirectUsb:
            return logger.model == row.model;
    }
    return false;
}

std::string LoggerLabel(const LoggerChoice& choice) {
    if (choice.serial) return Hex8(*choice.serial);
    if (choice.com) return "COM" + std::to_string(*choice.com);
    return "-";
}

}  // namespace tb::cli
