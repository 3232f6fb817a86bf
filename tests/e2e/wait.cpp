#include "wait.h"

namespace e2e {

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
