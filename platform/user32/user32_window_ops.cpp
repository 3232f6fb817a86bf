// user32 provider of the window operations: each one is the system call of
// the same name.
// Our header first: <windows.h> defines TRUE, LB_ADDSTRING and the like as
// macros, which would clash with the header's constants of the same names.
#include "window_ops.h"

#include <windows.h>

namespace platform {

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  return ::EnumWindows(callback, lParam);
}

BOOL IsWindowVisible(HWND hwnd) { return ::IsWindowVisible(hwnd); }

HWND GetParent(HWND hwnd) { return ::GetParent(hwnd); }

LONG GetWindowLongA(HWND hwnd, int index) {
  return static_cast<LONG>(::GetWindowLongPtrA(hwnd, index));
}

int GetWindowTextA(HWND hwnd, char *buffer, int maxCount) {
  return ::GetWindowTextA(hwnd, buffer, maxCount);
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(hwnd, msg, wParam, lParam);
}

BOOL InvalidateRect(HWND hwnd, const void *rect, BOOL erase) {
  return ::InvalidateRect(hwnd, static_cast<const RECT *>(rect), erase);
}

BOOL SetWindowTextA(HWND hwnd, const char *text) {
  return ::SetWindowTextA(hwnd, text);
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  return ::EnableWindow(hwnd, enable);
}

BOOL ShowWindow(HWND hwnd, int cmdShow) { return ::ShowWindow(hwnd, cmdShow); }

BOOL ShowWindowAsync(HWND hwnd, int cmdShow) {
  return ::ShowWindowAsync(hwnd, cmdShow);
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD *processId) {
  ::DWORD pid = 0;
  ::DWORD tid = ::GetWindowThreadProcessId(hwnd, &pid);
  if (processId)
    *processId = pid;
  return tid;
}

DWORD GetCurrentThreadId() { return ::GetCurrentThreadId(); }

} // namespace platform
