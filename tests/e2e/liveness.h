// Whether the program is still running and still answering.
#pragma once

#include "tamer.h"

namespace e2e {

// True when the program's message loop dispatches a message posted now
// within `within_ms`: a list box message that stores a fresh value with the
// first entry, read back by a sent one. Needs a list with entries.
bool DispatchesPosted(const Tamer &tamer, DWORD within_ms = 1000);

} // namespace e2e
