#include "one_copy.h"

namespace {

constexpr char kMutexName[] = "Local\\TopmostTamer.OneCopy";

} // namespace

OneCopy::~OneCopy() {
  if (owned_)
    platform::ReleaseMutex(mutex_);
  if (mutex_ != nullptr)
    platform::CloseHandle(mutex_);
}

bool OneCopy::Claim(const char *formClass, Switches switches) {
  mutex_ = platform::CreateMutexA(kMutexName);
  if (mutex_ != nullptr) {
    // Ours unless a running copy holds it; one that ended without letting go
    // of it leaves it abandoned, and ours too. A restarted copy waits for
    // the copy that started it to end.
    const platform::DWORD waited = platform::WaitForSingleObject(
        mutex_, switches.restart ? kRestartWaitMs : 0);
    owned_ =
        waited == platform::WAIT_OBJECT_0 || waited == platform::WAIT_ABANDONED;
    if (owned_)
      return true;
  } else if (platform::GetLastError() != platform::ERROR_ACCESS_DENIED) {
    // Without a mutex (a failure of the system) the program still runs.
    return true;
  }
  // A copy runs; one run as administrator makes a mutex that we may not
  // open.
  if (!switches.hidden)
    BringForward(formClass);
  return false;
}

void OneCopy::BringForward(const char *formClass) const {
  const platform::UINT showForm =
      platform::RegisterWindowMessageA(kShowFormMessage);
  for (int tries = 0; tries < kFormTries; ++tries) {
    // This copy has no form yet: any form is the running copy's.
    const platform::HWND form =
        platform::FindWindowExA(nullptr, nullptr, formClass, nullptr);
    if (form != nullptr) {
      // Started by the user, this copy may bring a window forward, and
      // passes that right on.
      platform::DWORD process = 0;
      platform::GetWindowThreadProcessId(form, &process);
      platform::AllowSetForegroundWindow(process);
      platform::PostMessageA(form, showForm, 0, 0);
      return;
    }
    platform::Sleep(kFormPollMs);
  }
}
