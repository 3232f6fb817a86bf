#include "desktop.h"

#include "program.h"

#include <string>

namespace harness {

namespace {

BOOL CALLBACK Collect(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND> *>(windows)->push_back(hwnd);
  return TRUE;
}

} // namespace

std::vector<HWND> ZOrder() {
  // EnumWindows takes a snapshot first; walking GW_HWNDNEXT would stop at
  // the first window destroyed under it.
  std::vector<HWND> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool ZOrderSettles() {
  std::vector<HWND> last = ZOrder();
  for (int tries = 0; tries < 100; ++tries) {
    WaitUntil([] { return false; }, 100);
    std::vector<HWND> now = ZOrder();
    if (now == last)
      return true;
    last = std::move(now);
  }
  return false;
}

namespace {

std::string ListedTitle(HWND hwnd) {
  char title[256] = {};
  const int length = GetWindowTextA(hwnd, title, sizeof title);
  return std::string(title, length > 0 ? static_cast<size_t>(length) : 0);
}

BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int *>(count);
  return TRUE;
}

} // namespace

std::string EntryOf(HWND hwnd) {
  // Handles are 32-bit values shared by 32- and 64-bit programs.
  const auto handle = static_cast<int>(reinterpret_cast<INT_PTR>(hwnd));
  return ListedTitle(hwnd) + " " + std::to_string(handle);
}

std::vector<std::string> ExpectedEntries() {
  std::vector<std::string> entries;
  // GW_OWNER rather than the program's GWL_HWNDPARENT: the same fact asked
  // another way.
  for (HWND hwnd : ZOrder())
    if (IsWindowVisible(hwnd) && GetParent(hwnd) == nullptr &&
        GetWindow(hwnd, GW_OWNER) == nullptr && !ListedTitle(hwnd).empty())
      entries.push_back(EntryOf(hwnd));
  return entries;
}

std::string TextOf(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

std::vector<std::string> EntriesOf(HWND list) {
  // Wine answers LB_GETTEXT from another process in UTF-16 whichever
  // variant asked, so ask in UTF-16 and convert here.
  std::vector<std::string> entries;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
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

HWND RoleWindow(DWORD pid, const char *role) {
  const std::string cls = std::string("fixture.") + role;
  for (HWND found = FindWindowExA(nullptr, nullptr, cls.c_str(), nullptr);
       found != nullptr;
       found = FindWindowExA(nullptr, found, cls.c_str(), nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == pid)
      return found;
  }
  return nullptr;
}

int WindowCount(DWORD pid) {
  int count = 0;
  for (HWND hwnd : ZOrder()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != pid)
      continue;
    ++count;
    EnumChildWindows(hwnd, CountOne, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

} // namespace harness
