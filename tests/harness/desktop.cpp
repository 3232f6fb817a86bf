#include "desktop.h"

#include "program.h"

#include <dwmapi.h>

#include <algorithm>

namespace harness {
namespace {

BOOL CALLBACK Collect(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND> *>(windows)->push_back(hwnd);
  return TRUE;
}

// Every top-level window, top of the Z order first.
std::vector<HWND> ZOrder() {
  // EnumWindows takes a snapshot first; walking GW_HWNDNEXT would stop at
  // the first window destroyed under it.
  std::vector<HWND> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Asked as the program asks, of dwmapi.dll in the system folder.
bool Cloaked(HWND hwnd) {
  DWORD cloaked = 0;
  return SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked,
                                         sizeof cloaked)) &&
         cloaked != 0;
}

} // namespace

bool ZOrderSettles() {
  std::vector<HWND> last;
  for (int tries = 0; tries < 100; ++tries) {
    WaitUntil([] { return false; }, 100);
    if (ZOrder() == last)
      return true;
    last = ZOrder();
  }
  return false;
}

std::string EntryOf(HWND hwnd) {
  // Handles are 32-bit values shared by 32- and 64-bit programs.
  return TextOf(hwnd, 256) + " " +
         std::to_string(static_cast<int>(reinterpret_cast<INT_PTR>(hwnd)));
}

std::vector<std::string> ExpectedEntries(bool askDwm) {
  std::vector<std::string> entries;
  // GW_OWNER rather than the program's GWL_HWNDPARENT: the same fact asked
  // another way.
  for (HWND hwnd : ZOrder())
    if (IsWindowVisible(hwnd) && GetParent(hwnd) == nullptr &&
        GetWindow(hwnd, GW_OWNER) == nullptr && !TextOf(hwnd, 256).empty() &&
        !(askDwm && Cloaked(hwnd)))
      entries.push_back(EntryOf(hwnd));
  return entries;
}

std::string TextOf(HWND hwnd, int room) {
  std::string text(static_cast<size_t>(room), '\0');
  text.resize(
      static_cast<size_t>(std::max(0, GetWindowTextA(hwnd, &text[0], room))));
  return text;
}

std::vector<std::string> EntriesOf(HWND list) {
  // Wine answers LB_GETTEXT from another process in UTF-16 whichever
  // variant asked, so ask in UTF-16 and convert here.
  std::vector<std::string> entries;
  for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
    wchar_t wide[1024] = {};
    char ansi[1024] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 1000)
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr,
                        nullptr);
    entries.push_back(ansi);
  }
  return entries;
}

int WindowCount(HWND form) {
  // The form's thread holds every window of the program.
  std::vector<HWND> windows;
  EnumThreadWindows(GetWindowThreadProcessId(form, nullptr), Collect,
                    reinterpret_cast<LPARAM>(&windows));
  for (size_t i = 0, top = windows.size(); i < top; ++i)
    EnumChildWindows(windows[i], Collect, reinterpret_cast<LPARAM>(&windows));
  return static_cast<int>(windows.size());
}

} // namespace harness
