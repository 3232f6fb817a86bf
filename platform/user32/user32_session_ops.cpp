// user32 provider of the operations for the notification area, the start at
// sign-in and one copy at a time: the system calls of the same names, but
// Shell_NotifyIconA, which shell32 gives us from the system folder, and the
// registry's string values, which come from advapi32.
// Our header first: <windows.h> defines some of its constants' names as
// macros.
#include "window_ops.h"

#include <windows.h>

#include <shellapi.h>

#include "system_library.h"

namespace {

// Looked up on first use: shell32 is not imported. Not a function's static,
// whose guard would link in the C++ runtime's exception support.
using ShellNotifyIconProc = BOOL(WINAPI *)(DWORD, NOTIFYICONDATAA *);
ShellNotifyIconProc shellNotifyIcon = nullptr;
bool shellLookedUp = false; // the user-interface thread alone asks

// Copies `text` into a fixed field, cut to fit.
template <std::size_t N> void CopyField(char (&field)[N], const char *text) {
  if (text != nullptr)
    lstrcpynA(field, text, N);
}

} // namespace

namespace platform {

BOOL Shell_NotifyIconA(DWORD message, const NotifyIcon &icon, const char *tip,
                       const char *balloonTitle, const char *balloon) {
  if (!shellLookedUp) {
    shellNotifyIcon = SystemFunctionAs<ShellNotifyIconProc>(
        "shell32.dll", "Shell_NotifyIconA");
    shellLookedUp = true;
  }
  const ShellNotifyIconProc notifyIcon = shellNotifyIcon;
  if (notifyIcon == nullptr)
    return FALSE;
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = icon.window;
  data.uID = icon.id;
  if (message == NIM_ADD) {
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.uCallbackMessage = icon.callbackMessage;
    data.hIcon =
        reinterpret_cast<HICON>(GetClassLongPtrA(icon.window, GCLP_HICONSM));
  }
  if (tip != nullptr) {
    // Version 4 shows the tip only when asked to.
    data.uFlags |= NIF_TIP | NIF_SHOWTIP;
    CopyField(data.szTip, tip);
  }
  if (balloon != nullptr) {
    data.uFlags |= NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    CopyField(data.szInfoTitle, balloonTitle);
    CopyField(data.szInfo, balloon);
  }
  if (!notifyIcon(message, &data))
    return FALSE;
  if (message != NIM_ADD)
    return TRUE;
  data.uVersion = NOTIFYICON_VERSION_4;
  return notifyIcon(NIM_SETVERSION, &data);
}

UINT RegisterWindowMessageA(const char *name) {
  return ::RegisterWindowMessageA(name);
}

BOOL AllowMessageFromBelow(HWND window, UINT message) {
  // Windows 7 and later filter per window, Vista per process.
  using FilterExProc = BOOL(WINAPI *)(HWND, UINT, DWORD, void *);
  using FilterProc = BOOL(WINAPI *)(UINT, DWORD);
  constexpr DWORD kAllow = 1;
  if (const auto filterEx = SystemFunctionAs<FilterExProc>(
          "user32.dll", "ChangeWindowMessageFilterEx"))
    return filterEx(window, message, kAllow, nullptr);
  if (const auto filter = SystemFunctionAs<FilterProc>(
          "user32.dll", "ChangeWindowMessageFilter"))
    return filter(message, kAllow);
  return TRUE;
}

BOOL SetForegroundWindow(HWND hwnd) { return ::SetForegroundWindow(hwnd); }

BOOL AllowSetForegroundWindow(DWORD processId) {
  return ::AllowSetForegroundWindow(processId);
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(hwnd, msg, wParam, lParam);
}

HMENU CreatePopupMenu() { return ::CreatePopupMenu(); }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char *text) {
  return ::AppendMenuA(menu, flags, id, text);
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  return ::SetMenuDefaultItem(menu, item, byPosition);
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND window) {
  return ::TrackPopupMenu(menu, flags, x, y, 0, window, nullptr);
}

BOOL DestroyMenu(HMENU menu) { return ::DestroyMenu(menu); }

DWORD GetModuleFileNameA(char *buffer, DWORD size) {
  return ::GetModuleFileNameA(nullptr, buffer, size);
}

BOOL ReadUserString(const char *key, const char *name, char *buffer,
                    DWORD size) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return FALSE;
  // One byte kept back: a stored string need not end in a NUL.
  ::DWORD type = 0, bytes = size - 1;
  const LONG read = RegQueryValueExA(opened, name, nullptr, &type,
                                     reinterpret_cast<BYTE *>(buffer), &bytes);
  RegCloseKey(opened);
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    return FALSE;
  buffer[bytes] = '\0';
  if (type == REG_SZ)
    return TRUE;
  char expanded[1024];
  const ::DWORD length =
      ExpandEnvironmentStringsA(buffer, expanded, sizeof expanded);
  if (length == 0 || length > sizeof expanded || length > size)
    return FALSE;
  lstrcpynA(buffer, expanded, static_cast<int>(size));
  return TRUE;
}

BOOL WriteUserString(const char *key, const char *name, const char *value) {
  HKEY opened = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &opened, nullptr);
  if (result == ERROR_SUCCESS) {
    result = RegSetValueExA(opened, name, 0, REG_SZ,
                            reinterpret_cast<const BYTE *>(value),
                            static_cast<::DWORD>(lstrlenA(value) + 1));
    RegCloseKey(opened);
  }
  SetLastError(static_cast<::DWORD>(result));
  return result == ERROR_SUCCESS;
}

BOOL DeleteUserValue(const char *key, const char *name) {
  HKEY opened = nullptr;
  LONG result =
      RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &opened);
  if (result == ERROR_SUCCESS) {
    result = RegDeleteValueA(opened, name);
    RegCloseKey(opened);
  }
  SetLastError(static_cast<::DWORD>(result));
  return result == ERROR_SUCCESS;
}

void Sleep(DWORD ms) { ::Sleep(ms); }

} // namespace platform
