// Waiting on the window system: a bounded poll of a condition that keeps this
// thread's own messages flowing, never a blind sleep.
#pragma once

#include <windows.h>

#include <functional>

namespace e2e {

// Long enough for Wine to start a process or deliver X events under load.
constexpr DWORD kSettleMs = 10000;
// How long a process may take to start and put its windows up (thousands,
// for a bulk fixture): a minute, or E2E_START_SECONDS from the environment,
// which the runner sets when the programs run under CPU emulation.
DWORD StartMs();

// Dispatches this thread's queued messages until none are left.
void PumpUntilIdle();

// Returns true as soon as condition() holds, false after timeout_ms.
bool WaitUntil(const std::function<bool()> &condition,
               DWORD timeout_ms = kSettleMs);

} // namespace e2e
