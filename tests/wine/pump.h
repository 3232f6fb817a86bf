// Bounded waits on the window system: never a fixed sleep, always a message
// pump with a deadline, so a stuck peer costs at most the deadline.
#pragma once

#include <windows.h>

namespace wine_pump {

// Dispatches messages until none arrives for `quietMs`, or `maxMs` passed.
void UntilIdle(DWORD quietMs = 50, DWORD maxMs = 2000);

// Waits for any of `objects` while dispatching this thread's messages.
// Returns the index of the signalled object, or -1 on timeout.
int WaitForAny(const HANDLE *objects, DWORD count, DWORD timeoutMs);

inline bool WaitFor(HANDLE object, DWORD timeoutMs) {
  return WaitForAny(&object, 1, timeoutMs) == 0;
}

} // namespace wine_pump
