#include "gui_process.h"

#include "pump.h"

namespace bench {

namespace {

// How long a program gets to end once its window is closed.
constexpr DWORD kCloseTimeoutMs = 10 * 1000;
constexpr DWORD kSettleTimeoutMs = 5 * 1000;

} // namespace

bool GuiProcess::Start(const std::string &exe, const char *caption,
                       DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process_)) {
    error_ = "cannot start " + exe + " (error " +
             std::to_string(GetLastError()) + ")";
    return false;
  }
  if (WaitForInputIdle(process_.hProcess, timeoutMs) != 0) {
    error_ = exe + " did not wait for input in time";
    return false;
  }
  // Polled with the shortest sleep rather than a busy loop: on two cores a
  // spinning bench would slow down the start it is timing.
  while ((window_ = FindShownWindow(caption)) == nullptr) {
    if (GetTickCount64() >= deadline) {
      error_ = exe + " showed no window \"" + caption + "\" in time";
      return false;
    }
    Sleep(1);
  }
  return true;
}

HWND GuiProcess::FindShownWindow(const char *caption) const {
  for (HWND found = FindWindowExA(nullptr, nullptr, nullptr, caption);
       found != nullptr;
       found = FindWindowExA(nullptr, found, nullptr, caption)) {
    DWORD processId = 0;
    GetWindowThreadProcessId(found, &processId);
    if (processId == process_.dwProcessId && IsWindowVisible(found))
      return found;
  }
  return nullptr;
}

void GuiProcess::Settle() const {
  wine_pump::UntilIdle();
  WaitForInputIdle(process_.hProcess, kSettleTimeoutMs);
}

void GuiProcess::Close() {
  if (process_.hProcess == nullptr)
    return;
  // Without a window (a start that failed) there is nothing to close.
  if (window_ == nullptr || !PostMessageA(window_, WM_CLOSE, 0, 0) ||
      !wine_pump::WaitFor(process_.hProcess, kCloseTimeoutMs))
    TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  window_ = nullptr;
}

} // namespace bench
