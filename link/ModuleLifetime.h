// How long the link library stays in the process, one source per system.
//
// Linux (ModuleLifetime.cpp): until the program unloads it; unloading ends
// the LAN workers' threads. Windows (ModuleLifetime_win.cpp): until the
// process ends. The loader holds its lock while a DLL unloads, and a thread
// cannot end without that lock, so a DLL that waited there for its workers
// would wait for ever; the library therefore pins itself when it loads, and
// at process exit the system has already ended its threads and frees what
// they held.
#pragma once

namespace tb::link {

// Called once as the library loads. True when the process's end, not the
// library, tears the library down.
bool StayLoadedUntilProcessExit();

}  // namespace tb::link
