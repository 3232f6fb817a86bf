// The test display's notification area: an XEmbed tray, a Unix program, in
// which Wine's shell docks the icons of Windows programs. Without one, Wine
// shows them in a window of its own at the screen's top-left corner, over
// the program's form.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

class Tray {
public:
  ~Tray() { Stop(); }

  // Starts a tray at the screen's top right; false if it does not come up.
  bool Start();
  // Ends the tray that Start started, and nothing else.
  bool Stop();

private:
  bool running_ = false;
};

// The icons docked in a tray now, as the shell's windows that show them;
// and whether this process runs a tray (the benchmarks run none).
std::vector<HWND> TrayIcons();
bool TrayRuns();

} // namespace harness
