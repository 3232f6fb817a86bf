#include "desktop_view.h"

namespace desktop_view {

std::vector<HWND> ZOrder() {
  std::vector<HWND> windows;
  for (HWND hwnd = GetTopWindow(nullptr); hwnd != nullptr;
       hwnd = GetWindow(hwnd, GW_HWNDNEXT))
    windows.push_back(hwnd);
  return windows;
}

std::string ListedTitle(HWND hwnd) {
  char title[256] = {};
  const int length = GetWindowTextA(hwnd, title, sizeof title);
  return std::string(title, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool Qualifies(HWND hwnd) {
  // GW_OWNER rather than the program's GWL_HWNDPARENT: the same fact, asked
  // another way.
  return IsWindowVisible(hwnd) && GetParent(hwnd) == nullptr &&
         GetWindow(hwnd, GW_OWNER) == nullptr && !ListedTitle(hwnd).empty();
}

std::vector<HWND> QualifyingWindows() {
  std::vector<HWND> windows;
  for (HWND hwnd : ZOrder())
    if (Qualifies(hwnd))
      windows.push_back(hwnd);
  return windows;
}

} // namespace desktop_view
