// narrow_bench [N] [--rounds R] [--fixture PATH] [--ready-timeout SECONDS]
//
// What "Locate Top Most Window" costs on top of the enumeration itself: the
// program's own Command2_Click (refill, then trim to the first entry) on a
// visible list box against a bare enumeration. Last line:
//   narrow windows=N narrow_ms=M bare_ms=M ratio=R   (medians)
#include "frmHide_commands.h"

// After the commands' header: <windows.h> macros clash with its constants.
#include "list_vs_bare.h"
#include "stopwatch.h"

namespace {

double TimeNarrow(HWND list) {
  // Command2_Click touches the list alone; the other controls stay unset.
  const frmHideControls form = {list, nullptr, nullptr, nullptr};
  const bench::Stopwatch watch;
  Command2_Click(form);
  // The user sees the one entry once it is painted: that belongs to it.
  UpdateWindow(list);
  return watch.ElapsedMs();
}

} // namespace

int main(int argc, char **argv) {
  return bench::RunAgainstBare("narrow", TimeNarrow, argc, argv);
}
