#include "pump.h"

namespace wine_pump {

namespace {

void DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

DWORD Remaining(ULONGLONG deadline) {
  const ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

} // namespace

void UntilIdle(DWORD quietMs, DWORD maxMs) {
  const ULONGLONG deadline = GetTickCount64() + maxMs;
  DispatchPending();
  for (DWORD left = Remaining(deadline); left > 0; left = Remaining(deadline)) {
    const DWORD wait = quietMs < left ? quietMs : left;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT) !=
        WAIT_OBJECT_0)
      return;
    DispatchPending();
  }
}

int WaitForAny(const HANDLE *objects, DWORD count, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(
        count, objects, FALSE, Remaining(deadline), QS_ALLINPUT);
    if (result < WAIT_OBJECT_0 + count)
      return static_cast<int>(result - WAIT_OBJECT_0);
    if (result != WAIT_OBJECT_0 + count)
      return -1;
    DispatchPending();
  }
}

} // namespace wine_pump
