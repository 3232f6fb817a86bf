// What a process holds, as the system reports it, for leak checks.
#pragma once

#include <windows.h>

namespace e2e {

struct Counts {
  long long gdi;           // GetGuiResources, GDI objects
  long long user;          // GetGuiResources, USER objects
  long long handles;       // GetProcessHandleCount
  long long table_handles; // its rows in the system's handle table
  long long windows;       // its windows, top-level and child
};

// `process` is opened with PROCESS_QUERY_INFORMATION.
Counts ReadCounts(HANDLE process, DWORD pid);

} // namespace e2e
