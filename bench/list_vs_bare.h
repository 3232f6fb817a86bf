// The frame of the benches that time a list command against the bare
// enumeration: N fixture windows in other processes, as real applications'
// windows would be, a visible list box of this process (redraw on, on
// screen), one untimed round of each side, then alternating timed rounds.
// Prints the spreads and, as its last line,
//   NAME windows=N NAME_ms=M bare_ms=M ratio=R   (medians)
#pragma once

#include <windows.h>

namespace bench {

// One timed run of the command on `list`, in ms, repaint included.
using ListCommand = double (*)(HWND list);

// The whole bench: the command line (see options.h), 2000 windows and 7
// rounds unless told otherwise. Returns the exit code.
int RunAgainstBare(const char *name, ListCommand command, int argc,
                   char **argv);

} // namespace bench
