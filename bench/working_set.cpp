#include "working_set.h"

#include <psapi.h>

namespace bench {

bool ReadMemoryFigures(HANDLE process, MemoryFigures &figures) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
    return false;
  figures.workingSetKb = static_cast<double>(counters.WorkingSetSize) / 1024.0;
  figures.peakWorkingSetKb =
      static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
  figures.privateKb = static_cast<double>(counters.PagefileUsage) / 1024.0;
  return true;
}

} // namespace bench
