// user32 provider of the window operations: each one is the system call of
// the same name, but IsWindowCloaked, which asks the desktop window manager,
// and GetProcessIntegrityLevel, which reads a process's token (advapi32).
// Our header first: <windows.h> defines TRUE, LB_ADDSTRING and the like as
// macros, which would clash with the header's constants of the same names.
#include "window_ops.h"

#include <windows.h>

#include "system_library.h"

namespace {

// DwmGetWindowAttribute, found in dwmapi.dll on first use rather than
// imported: Windows XP has no dwmapi.dll, and the program neither imports nor
// loads at start-up anything beyond what every Windows ships.
using GetWindowAttributeProc = HRESULT(WINAPI *)(HWND, DWORD, void *, DWORD);
constexpr DWORD kDwmwaCloaked = 14;

GetWindowAttributeProc dwmGetWindowAttribute = nullptr;
bool dwmLookedUp = false; // the user-interface thread alone asks

// Functions of Vista and later, looked up so that the program still starts
// on XP. kernel32 is loaded in every process: finding them costs nothing.
using QueryImageNameProc = BOOL(WINAPI *)(HANDLE, DWORD, LPSTR, PDWORD);
const auto queryImageName = platform::SystemFunctionAs<QueryImageNameProc>(
    "kernel32.dll", "QueryFullProcessImageNameA");

// The label's relative identifier, from the token of an open process.
DWORD IntegrityLevelOf(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token))
    return platform::kIntegrityUnknown;
  // A label and its SID, with room to spare.
  alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[64];
  ::DWORD size = 0;
  DWORD level = platform::kIntegrityUnknown;
  if (GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer,
                          &size)) {
    const PSID sid =
        reinterpret_cast<TOKEN_MANDATORY_LABEL *>(buffer)->Label.Sid;
    level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
  } else if (GetLastError() == ERROR_INVALID_PARAMETER) {
    level = platform::kNoIntegrityLevels; // before Vista: no such class
  }
  CloseHandle(token);
  return level;
}

} // namespace

namespace platform {

FARPROC SystemFunction(const char *dll, const char *name) {
  const HMODULE module =
      LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  return ::EnumWindows(callback, lParam);
}

BOOL IsWindowVisible(HWND hwnd) { return ::IsWindowVisible(hwnd); }

BOOL IsWindowCloaked(HWND hwnd) {
  if (!dwmLookedUp) {
    dwmGetWindowAttribute = SystemFunctionAs<GetWindowAttributeProc>(
        "dwmapi.dll", "DwmGetWindowAttribute");
    dwmLookedUp = true;
  }
  if (dwmGetWindowAttribute == nullptr)
    return FALSE;
  ::DWORD cloaked = 0;
  if (FAILED(
          dwmGetWindowAttribute(hwnd, kDwmwaCloaked, &cloaked, sizeof cloaked)))
    return FALSE;
  return cloaked != 0 ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) { return ::GetParent(hwnd); }

LONG GetWindowLongA(HWND hwnd, int index) {
  return static_cast<LONG>(::GetWindowLongPtrA(hwnd, index));
}

int GetWindowTextA(HWND hwnd, char *buffer, int maxCount) {
  return ::GetWindowTextA(hwnd, buffer, maxCount);
}

UINT GetACP() { return ::GetACP(); }

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(hwnd, msg, wParam, lParam);
}

BOOL InvalidateRect(HWND hwnd, const void *rect, BOOL erase) {
  return ::InvalidateRect(hwnd, static_cast<const RECT *>(rect), erase);
}

BOOL IsWindow(HWND hwnd) { return ::IsWindow(hwnd); }

BOOL IsIconic(HWND hwnd) { return ::IsIconic(hwnd); }

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

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                  UINT flags) {
  return ::SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL SendMessageCallbackA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          SENDASYNCPROC callback, ULONG_PTR data) {
  return ::SendMessageCallbackA(hwnd, msg, wParam, lParam, callback, data);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
  return ::SetTimer(hwnd, id, elapse, nullptr);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return ::KillTimer(hwnd, id); }

DWORD GetProcessIntegrityLevel(DWORD processId) {
  if (processId == 0)
    return IntegrityLevelOf(GetCurrentProcess());
  // Before Vista the limited right does not exist and the call fails; the
  // caller asks for its own level first, and that tells it there are none.
  const HANDLE process =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr)
    return kIntegrityUnknown;
  const DWORD level = IntegrityLevelOf(process);
  CloseHandle(process);
  return level;
}

int GetClassNameA(HWND hwnd, char *buffer, int maxCount) {
  return ::GetClassNameA(hwnd, buffer, maxCount);
}

HWND FindWindowExA(HWND parent, HWND after, const char *className,
                   const char *title) {
  return ::FindWindowExA(parent, after, className, title);
}

DWORD GetProcessImagePath(DWORD processId, char *buffer, DWORD size) {
  if (queryImageName == nullptr || size == 0)
    return 0;
  const HANDLE process =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr)
    return 0;
  ::DWORD length = size;
  if (!queryImageName(process, 0, buffer, &length))
    length = 0;
  CloseHandle(process);
  return length;
}

} // namespace platform
