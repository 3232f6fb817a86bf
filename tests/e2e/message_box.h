// Finding the program's information message among the desktop's windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct MessageBoxSeen {
  HWND dialog = nullptr;
  std::string caption;
  std::vector<std::string> statics; // texts of its labels
  std::vector<HWND> buttons;
};

// The visible dialog window of process `pid`, if there is one.
MessageBoxSeen FindDialogOf(DWORD pid);

} // namespace e2e
