#include "wait.h"

#include <cstdlib>

namespace e2e {

DWORD StartMs() {
  char seconds[16] = {};
  if (GetEnvironmentVariableA("E2E_START_SECONDS", seconds, sizeof seconds) > 0)
    return static_cast<DWORD>(std::atoi(seconds)) * 1000;
  return 60000;
}

void PumpUntilIdle() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool WaitUntil(const std::function<bool()> &condition, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpUntilIdle();
    if (condition())
      return true;
    if (GetTickCount() - start >= timeout_ms)
      return false;
    // Wakes early on our own input; the other processes are polled.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

} // namespace e2e
