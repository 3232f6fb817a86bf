// The window-system operations the program's logic uses, under the
// platform's own names and constants. The Windows builds link the user32
// provider; the host tests define them over a table of fake windows.
#pragma once

#include <cstdint>
#include <string_view>

// The same incomplete types that <windows.h> uses for HWND, HMENU, HDC and
// RECT, so they pass between this header and user32 without casts.
struct HWND__;
struct HMENU__;
struct HDC__;
struct tagRECT;

#if defined(__i386__) && defined(_WIN32)
#define PLATFORM_CALLBACK __stdcall
#else
#define PLATFORM_CALLBACK
#endif

namespace platform {

using HWND = HWND__ *;
using HWND = HWND__ *;
using HMENU = HMENU__ *;
using HDC = HDC__ *;
using RECT = tagRECT;
using BOOL = int;
using UINT = unsigned int;
// The message parameter types exactly as user32 spells them, so a callback
// declared here is the very type EnumWindows takes.
#if defined(_WIN64)
using WPARAM = unsigned long long;
using LPARAM = long long;
using ULONG_PTR = unsigned long long;
#elif defined(_WIN32)
using WPARAM = unsigned int;
using LPARAM = long;
using ULONG_PTR = unsigned long;
#else
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
#endif
using UINT_PTR = WPARAM;
using LRESULT = LPARAM;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using WNDENUMPROC = BOOL(PLATFORM_CALLBACK *)(HWND, LPARAM);
using SENDASYNCPROC = void(PLATFORM_CALLBACK *)(HWND, UINT, ULONG_PTR, LRESULT);

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr int GWL_HWNDPARENT = -8;
constexpr int GWL_EXSTYLE = -20;
constexpr LONG WS_EX_TOPMOST = 0x0008;

constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

constexpr UINT CP_UTF8 = 65001;

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr LRESULT LB_ERR = -1;

inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_ASYNCWINDOWPOS = 0x4000;

// Window handles are 32-bit values that 32- and 64-bit processes share: a
// 64-bit handle is its low 32 bits, sign-extended.
inline std::int32_t LongFromHwnd(HWND hwnd) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd));
}
inline HWND HwndFromLong(std::int32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

// Catalogue
BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam);
BOOL IsWindowVisible(HWND hwnd);
// Nonzero when the desktop window manager keeps a window with the visible
// style off the screen (Windows 8 and later cloak suspended Store apps, idle
// shell windows and the windows of other virtual desktops). FALSE whenever
// the system cannot tell: no desktop window manager, or a failed query.
BOOL IsWindowCloaked(HWND hwnd);
HWND GetParent(HWND hwnd);
LONG GetWindowLongA(HWND hwnd, int index);
int GetWindowTextA(HWND hwnd, char *buffer, int maxCount);
// The ANSI code page, in which GetWindowTextA gives titles: UTF-8 where the
// system honours the manifest's request for it.
UINT GetACP();
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL InvalidateRect(HWND hwnd, const void *rect, BOOL erase);

// Commands
BOOL IsWindow(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL SetWindowTextA(HWND hwnd, const char *text);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL ShowWindowAsync(HWND hwnd, int cmdShow);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD *processId);
DWORD GetCurrentThreadId();
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                  UINT flags);
// Sends without waiting: `callback` runs later on this thread, from its
// message loop, once the window's thread has answered (never, if it hangs).
BOOL SendMessageCallbackA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          SENDASYNCPROC callback, ULONG_PTR data);
// A WM_TIMER to `hwnd` every `elapse` milliseconds, until killed.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Drawing
// Draws `length` bytes of `text` (-1: up to its NUL) as DrawTextW does, once
// converted from the ANSI code page (GetACP()) to UTF-16: the code page that
// the system's own controls convert with. DrawTextA converts with the code
// page of the font's character set, which is never UTF-8. No more than
// kMaxDrawnText bytes are drawn.
int DrawAnsiText(HDC dc, const char *text, int length, RECT *rect, UINT format);
constexpr int kMaxDrawnText = 512;

// The mandatory integrity level of process `processId` (0: this one), as the
// relative identifier of its token's label: 0x2000 medium, 0x3000 high, and
// so on. Windows keeps a program from changing the windows of a process of a
// higher level.
DWORD GetProcessIntegrityLevel(DWORD processId);
// The process cannot be asked: it is protected, or we may not open it.
constexpr DWORD kIntegrityUnknown = 0xFFFFFFFF;
// The system has no integrity levels (Windows before Vista).
constexpr DWORD kNoIntegrityLevels = 0;

// Rules: the top-level windows, cheaply, and what application and class a
// window is of.
//
// Every top-level window of this desktop, as EnumWindows gives them, but in
// one request to Wine's server, where EnumWindows makes one more for each
// window: the watch for new windows looks at all of them many times a
// second. A window may have closed by the time the callback sees it.
BOOL EnumDesktopWindows(WNDENUMPROC callback, LPARAM lParam);
int GetClassNameA(HWND hwnd, char *buffer, int maxCount);
HWND FindWindowExA(HWND parent, HWND after, const char *className,
                   const char *title);
// The full path of process `processId`'s executable, in the ANSI code page:
// its length, or 0 when it cannot be told (the process has ended or may not
// be asked, or the system is older than Vista).
DWORD GetProcessImagePath(DWORD processId, char *buffer, DWORD size);

// Files
//
// The ANSI calls, on full paths. Each failing call leaves its reason for
// GetLastError.
using HANDLE = void *;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED = 0x80;
constexpr DWORD WAIT_TIMEOUT = 258;

constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

HANDLE CreateFileA(const char *name, DWORD access, DWORD share,
                   DWORD disposition, DWORD attributes);
BOOL ReadFile(HANDLE file, void *buffer, DWORD size, DWORD *read);
BOOL WriteFile(HANDLE file, const void *data, DWORD size, DWORD *written);
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE handle);
// Without MOVEFILE_REPLACE_EXISTING it never overwrites `to`.
BOOL MoveFileExA(const char *from, const char *to, DWORD flags);
BOOL DeleteFileA(const char *name);
BOOL CreateDirectoryA(const char *name);
DWORD GetLastError();
// A mutex that every process of the session can open by `name`; the caller
// does not own it yet.
HANDLE CreateMutexA(const char *name);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL ReleaseMutex(HANDLE mutex);
// The user's roaming application-data folder, without a trailing
// backslash: the APPDATA environment variable, or where the shell keeps it
// when that is unset. Its length, or 0 when neither tells or it would not
// fit `size` bytes with its NUL.
DWORD GetAppDataFolder(char *buffer, DWORD size);

// Text
constexpr UINT CP_ACP = 0;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;
using WCHAR = wchar_t;
int MultiByteToWideChar(UINT codePage, DWORD flags, const char *text,
                        int length, WCHAR *wide, int wideLength);
// `usedDefaultChar` must be nullptr for CP_UTF8.
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR *wide,
                        int wideLength, char *text, int length,
                        BOOL *usedDefaultChar);
// Whether two texts in the ANSI code page are the same but for case, as the
// file system compares names: TRUE or FALSE.
BOOL EqualIgnoringCaseA(const char *a, int aLength, const char *b, int bLength);
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return EqualIgnoringCaseA(a.data(), static_cast<int>(a.size()), b.data(),
                            static_cast<int>(b.size())) != FALSE;
}

// The notification area, the start at sign-in, one copy at a time

constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_USER = 0x0400;
constexpr UINT NIN_SELECT = WM_USER;
constexpr UINT NIN_KEYSELECT = WM_USER + 1;
constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;

// The program's icon in the notification area: icon `id` of `window`, which
// gets `callbackMessage` for the user's clicks and keys on it, with the
// parameters of NOTIFYICON_VERSION_4: the event in lParam's low word, the
// anchor point's screen coordinates in wParam (x low, y high).
struct NotifyIcon {
  HWND window;
  UINT id;
  UINT callbackMessage;
};
// NIM_ADD shows the icon, in `window`'s class's small icon, with `tip`, and
// asks for version 4's messages; NIM_MODIFY changes the tip, and shows
// `balloonTitle` and `balloon` beside the icon unless they are nullptr;
// NIM_DELETE removes it. Shell32 comes from the system folder, on first use.
// FALSE when the shell refused (or there is none).
BOOL Shell_NotifyIconA(DWORD message, const NotifyIcon &icon, const char *tip,
                       const char *balloonTitle = nullptr,
                       const char *balloon = nullptr);
UINT RegisterWindowMessageA(const char *name);
// Lets processes of a lower integrity level, such as the shell when we run as
// administrator, post `message` to `window`. Does nothing before Vista, where
// nothing keeps them from it.
BOOL AllowMessageFromBelow(HWND window, UINT message);
BOOL SetForegroundWindow(HWND hwnd);
BOOL AllowSetForegroundWindow(DWORD processId);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
HMENU CreatePopupMenu();
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char *text);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
// With TPM_RETURNCMD: the chosen item's ID, 0 if none.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND window);
BOOL DestroyMenu(HMENU menu);

// This program's full path; its length, `size` or more when cut.
DWORD GetModuleFileNameA(char *buffer, DWORD size);
// String values of the key `key` under HKEY_CURRENT_USER, the signed-in
// user's part of the registry. Reading gives FALSE when the value is missing,
// is not a string, or does not fit; environment variables in a value of type
// REG_EXPAND_SZ come expanded. Writing makes the key if it is missing.
BOOL ReadUserString(const char *key, const char *name, char *buffer,
                    DWORD size);
BOOL WriteUserString(const char *key, const char *name, const char *value);
BOOL DeleteUserValue(const char *key, const char *name);

// One copy at a time: the mutex (see Files above), and a pause while the
// running copy makes its form.
void Sleep(DWORD ms);

} // namespace platform
