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
  bool existed = false;
  mutex_ = platform::CreateMutexA(kMutexName, existed);
  // Without a mutex of its own (a failure of the system) the program still
  // runs.
  owned_ = mutex_ != nullptr && !existed;
  if (!existed)
    return true;
  if (switches.restart && mutex_ != nullptr) {
    // Ours once the old copy ends, released or abandoned.
    const platform::DWORD waited =
        platform::WaitForSingleObject(mutex_, kRestartWaitMs);
    owned_ =
        waited == platform::WAIT_OBJECT_0 || waited == platform::WAIT_ABANDONED;
    if (owned_)
      return true;
  }
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
