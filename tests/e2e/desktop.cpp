#include "desktop.h"

#include "tamer.h"

#include <cstdlib>

namespace e2e {
namespace {

// The title as the program reads it: at most 255 characters.
std::string ListedTitle(HWND hwnd) {
  char title[256] = {};
  const int length = GetWindowTextA(hwnd, title, sizeof title);
  return std::string(title, length > 0 ? static_cast<size_t>(length) : 0);
}

bool Qualifies(HWND hwnd) {
  return IsWindowVisible(hwnd) && GetParent(hwnd) == nullptr &&
         GetWindowLongPtrA(hwnd, GWLP_HWNDPARENT) == 0 &&
         !ListedTitle(hwnd).empty();
}

} // namespace

std::vector<HWND> ZOrder() {
  std::vector<HWND> windows;
  for (HWND w = GetTopWindow(nullptr); w != nullptr;
       w = GetWindow(w, GW_HWNDNEXT))
    windows.push_back(w);
  return windows;
}

std::vector<HWND> QualifyingWindows() {
  std::vector<HWND> windows;
  for (HWND w : ZOrder())
    if (Qualifies(w))
      windows.push_back(w);
  return windows;
}

std::vector<std::string> EntriesOf(const std::vector<HWND> &windows) {
  std::vector<std::string> entries;
  for (HWND w : windows)
    entries.push_back(EntryFor(ListedTitle(w), w));
  return entries;
}

std::vector<HWND> WindowsOf(DWORD pid) {
  std::vector<HWND> windows;
  for (HWND w : ZOrder()) {
    DWORD owner_pid = 0;
    GetWindowThreadProcessId(w, &owner_pid);
    if (owner_pid == pid)
      windows.push_back(w);
  }
  return windows;
}

HWND HandleOfEntry(const std::string &entry) {
  const size_t space = entry.rfind(' ');
  if (space == std::string::npos)
    return nullptr;
  const long long handle = std::atoll(entry.c_str() + space + 1);
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

} // namespace e2e
