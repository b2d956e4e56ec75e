// What is attached on each port, found one port at a time, and confining a
// process to one port.
//
// `trimbench batch` runs each device's rows in a worker process of its
// own. A worker is confined to its device's port (TRIMBENCH_PORTS, see
// platform/usbserial/ComPortMap.h), so that the discovery each page
// operation makes never opens a port another worker is talking to. Which
// device is on which port is found before any worker starts: the same
// listing as `trimbench list`, confined to each port in turn.
#pragma once

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
std::vector<SurveyedPort> SurveyPorts();

// The process's confinement to one port while it lives (the previous one
// is restored afterwards). Only while no other thread uses the ports.
class PortConfinement {
  public:
    explicit PortConfinement(int com);
    ~PortConfinement();
    PortConfinement(const PortConfinement&) = delete;
    PortConfinement& operator=(const PortConfinement&) = delete;

  private:
    std::optional<std::string> previous_;
};

// The environment entry that confines a worker process to the port.
std::string ConfinementEntry(int com);

}  // namespace tb::cli
