// What a process keeps in memory, as the system reports it.
#pragma once

#include <windows.h>

namespace bench {

struct MemoryFigures {
  double workingSetKb;
  double peakWorkingSetKb;
  double privateKb; // committed memory of its own (the pagefile usage)
};

// False if the system does not report them for `process`, which needs
// PROCESS_QUERY_INFORMATION and PROCESS_VM_READ access.
bool ReadMemoryFigures(HANDLE process, MemoryFigures &figures);

} // namespace bench
