#include "desktop.h"

#include "tamer.h"

#include <cstdlib>

namespace e2e {

std::vector<std::string> EntriesOf(const std::vector<HWND> &windows) {
  std::vector<std::string> entries;
  for (HWND w : windows)
    entries.push_back(EntryFor(desktop_view::ListedTitle(w), w));
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
