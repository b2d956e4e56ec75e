// Finding attached loggers of a model and identifying the one on a port.
#pragma once

#include <cstdint>
#include <vector>

#include "modelcom/ModelLibrary.h"

namespace tb::modelcom {

inline constexpr int kMaxPorts = 256;

// Marks in flags[0..count-1] the ports with a logger of the model (also a
// busy one) and returns how many. Never writes beyond count bytes; -30 for
// a null array, a negative count or one above 256.
int IsConnect(ModelLibrary& library, uint8_t* flags, int count);

// Identifies the logger on a port and lists it under its serial number.
int GetConctMachInfo(ModelLibrary& library, int port, uint32_t* serial, int16_t* typeCode,
                     char* nameA, char* nameB);

// Reads the three blocks of the logger table over an open port into table.
int ReadLoggerTable(PortSession& session, uint8_t command, std::vector<uint8_t>& table);

}  // namespace tb::modelcom
