// fill_bench [N] [--rounds R] [--fixture PATH] [--ready-timeout SECONDS]
//
// How much the list costs on top of the enumeration itself: FillTaskList
// into a visible list box against a bare enumeration that makes the same
// four tests and the same title call and keeps nothing. Last line:
//   fill windows=N fill_ms=M bare_ms=M ratio=R   (medians)
#include "MTaskList.h"

// After the catalogue's header: <windows.h> macros clash with its constants.
#include "list_vs_bare.h"
#include "stopwatch.h"

namespace {

double TimeFill(HWND list) {
  const bench::Stopwatch watch;
  MTaskList::FillTaskList(list);
  // The user sees the list once it is painted: that belongs to the fill.
  UpdateWindow(list);
  return watch.ElapsedMs();
}

} // namespace

int main(int argc, char **argv) {
  return bench::RunAgainstBare("fill", TimeFill, argc, argv);
}
