#include "bare_enum.h"

#include "stopwatch.h"

#include <windows.h>

namespace bench {

namespace {

BOOL CALLBACK BareProc(HWND hwnd, LPARAM lParam) {
  BareCount &count = *reinterpret_cast<BareCount *>(lParam);
  ++count.offered;
  if (!IsWindowVisible(hwnd) || GetParent(hwnd) != nullptr ||
      GetWindowLongPtrA(hwnd, GWLP_HWNDPARENT) != 0)
    return TRUE;
  char title[256];
  if (GetWindowTextA(hwnd, title, sizeof title) > 0)
    ++count.qualifying;
  return TRUE;
}

} // namespace

double TimeBare(BareCount &count) {
  count = {};
  const Stopwatch watch;
  EnumWindows(BareProc, reinterpret_cast<LPARAM>(&count));
  return watch.ElapsedMs();
}

} // namespace bench
