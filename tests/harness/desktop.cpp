#include "desktop.h"

#include "program.h"

#include <dwmapi.h>

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

std::wstring WideTextOf(HWND hwnd) {
  wchar_t wide[1024] = {};
  GetWindowTextW(hwnd, wide, 1024);
  return wide;
}

// Asked as the program asks, of dwmapi.dll in the system folder.
bool Cloaked(HWND hwnd) {
  DWORD cloaked = 0;
  return SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked,
                                         sizeof cloaked)) &&
         cloaked != 0;
}

} // namespace

std::string Utf8(const std::wstring &wide) {
  char text[4096] = {}; // 1023 units make at most 3069 bytes
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text, sizeof text - 1,
                      nullptr, nullptr);
  return text;
}

std::wstring Wide(const std::string &utf8) {
  wchar_t wide[4096] = {};
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 4095);
  return wide;
}

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

namespace {

std::string EntryOf(HWND hwnd, std::wstring wide) {
  // Whole code points off the end until the UTF-8 fits in 255 bytes. A
  // surrogate without its partner is one code point: U+FFFD in UTF-8.
  for (size_t end = wide.size(); Utf8(wide).size() > 255; wide.resize(end))
    end -= end > 1 && IS_SURROGATE_PAIR(wide[end - 2], wide[end - 1]) ? 2 : 1;
  // Handles are 32-bit values shared by 32- and 64-bit programs.
  return Utf8(wide) + " " +
         std::to_string(static_cast<int>(reinterpret_cast<INT_PTR>(hwnd)));
}

} // namespace

std::string EntryOf(HWND hwnd) { return EntryOf(hwnd, WideTextOf(hwnd)); }

std::vector<std::string> ExpectedEntries(bool askDwm) {
  std::vector<std::string> entries;
  // GW_OWNER rather than the program's GWL_HWNDPARENT: the same fact asked
  // another way. The title is read once, as the program reads it: a window
  // that goes between two reads would count as titled, with no title.
  for (HWND hwnd : ZOrder()) {
    if (!IsWindowVisible(hwnd) || GetParent(hwnd) != nullptr ||
        GetWindow(hwnd, GW_OWNER) != nullptr || (askDwm && Cloaked(hwnd)))
      continue;
    const std::wstring title = WideTextOf(hwnd);
    if (!title.empty())
      entries.push_back(EntryOf(hwnd, title));
  }
  return entries;
}

std::string TextOf(HWND hwnd) { return Utf8(WideTextOf(hwnd)); }

std::vector<std::string> EntriesOf(HWND list) {
  // Wine answers LB_GETTEXT from another process in UTF-16 whichever
  // variant asked, so ask in UTF-16.
  std::vector<std::string> entries;
  for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
    wchar_t wide[1024] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 1000)
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    entries.push_back(Utf8(wide));
  }
  return entries;
}

bool IsTopmost(HWND window) {
  return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

OnTopSample SampleOnTop(HWND window, DWORD ms, HWND program) {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  const auto clock = [&] {
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };
  OnTopSample sample = {0, {}, {}, true};
  const double start = clock();
  double last = start, changed = -1, asked = start, onTop = 0;
  bool wasOn = IsTopmost(window);
  for (double t = start; t < start + ms; t = clock()) {
    const bool on = IsTopmost(window);
    if (wasOn)
      onTop += t - last;
    if (on != wasOn) {
      // A stint whose start was seen has ended.
      if (changed >= 0)
        (wasOn ? sample.returnsMs : sample.dropsMs).push_back(t - changed);
      changed = t;
    }
    wasOn = on;
    last = t;
    if (program != nullptr && t - asked >= 100) {
      sample.answered = sample.answered && Send(program, WM_NULL, 0, 0, 500);
      asked = clock();
    }
    Sleep(1);
  }
  sample.share = onTop / (last - start);
  return sample;
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
