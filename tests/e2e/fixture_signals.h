// The named events through which the driver and a fixture process talk.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

enum class Signal {
  Ready,  // the fixture's windows exist and its file is written
  Exit,   // the fixture should write what it logs and leave
  Resume, // the hung thread should pump messages
  Freeze, // the hung thread should stop pumping
  Frozen, // the hung thread has stopped pumping
};

// Creates or opens `signal` of the fixture process tagged `tag`: Ready and
// Exit stay set once set, the others wake one waiter each.
HANDLE OpenSignal(Signal signal, const std::string &tag);

} // namespace e2e
