// What is attached on each port, found one port at a time, and confining a
// process to one port.
//
// `trimbench batch` runs each device's rows in a worker process of its
// own. A worker is confined to its device's port (TRIMBENCH_PORTS, see
// platform/usbserial/ComPortMap.h), so that the discovery each page
// operation makes never opens a port another worker is talking to. Which
// device is on which port is found before any row starts: the same listing
// as `trimbench list`, made by a worker confined to each port, the ports
// side by side.
#pragma once

#include <QJsonObject>
#include <optional>
#include <string>
#include <vector>

#include "cli/LoggerDirectory.h"

namespace tb::cli {

struct SurveyedPort {
    int com = 0;
    // Held by another program: nothing on it could be asked.
    bool busy = false;
    std::vector<AttachedLogger> loggers;
};

// Every port of the port layer with what answers on it, in COM order.
// Ports with nothing of ours on them are left out unless they are busy.
// Each port is asked by a worker process confined to it, all at once.
std::vector<SurveyedPort> SurveyPorts();

// In a worker confined to one port: what is on it.
SurveyedPort SurveyOwnPort();

// A surveyed port as a worker sends it.
QJsonObject SurveyedJson(const SurveyedPort& port);
std::optional<SurveyedPort> SurveyedFromJson(const QJsonObject& object);

// The environment entry that confines a worker process to the port.
std::string ConfinementEntry(int com);

}  // namespace tb::cli
