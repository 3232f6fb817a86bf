#include "tray.h"

#include "program.h"

#include <cstdio>

namespace harness {
namespace {

bool runs = false; // by any Tray of this process

// Where the tray's process ID is kept, for Stop.
std::string PidFile() { return ShellWord(WorkDir() + "/tray.pid"); }

// Docked in a tray: inside the tray's window, which Wine knows as a foreign
// one.
BOOL CALLBACK CollectDocked(HWND hwnd, LPARAM icons) {
  char cls[32] = "", root[32] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  GetClassNameA(GetAncestor(hwnd, GA_ROOT), root, sizeof root);
  if (std::string(cls) == "__winex11_tray_icon" &&
      std::string(root) == "__wine_x11_foreign_window")
    reinterpret_cast<std::vector<HWND> *>(icons)->push_back(hwnd);
  return TRUE;
}

} // namespace

bool Tray::Start() {
  Stop();
  // Up once its panel is; its icons dock as Wine's shell sees it. The X
  // server of the test display may drop a client that connects while
  // another disconnects, so the panel is awaited over one connection, made
  // as the tray starts and held until its panel is up, rather than by a
  // client started anew every tenth of a second. What the tray says goes
  // to trayer.log beside the screenshots, and is printed if its panel does
  // not come up.
  const std::string log = WorkDir() + "/trayer.log";
  running_ = RunUnix(
      "/usr/bin/trayer --edge top --align right --widthtype pixel --width "
      "200 --heighttype pixel --height 32 >>" +
          ShellWord(log) + " 2>&1 & echo $! >" + PidFile() +
          " && /usr/bin/timeout 20 /usr/bin/xdotool search --sync --name "
          "'^panel$' >/dev/null",
      21000);
  runs = running_;
  if (!running_)
    std::fputs(FileText("Z:" + log).c_str(), stdout);
  return running_;
}

bool Tray::Stop() {
  if (!running_)
    return true;
  running_ = runs = false;
  // Gone once it has exited, even while nobody has reaped it yet: the init
  // of a container may leave an orphan a zombie for seconds.
  return RunUnix("pid=$(cat " + PidFile() + ") && rm " + PidFile() +
                 " && kill $pid && while state=$(cut -d' ' -f3 /proc/$pid/stat"
                 " 2>/dev/null) && [ $state != Z ]; do sleep 0.1; done");
}

bool TrayRuns() { return runs; }

std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  EnumChildWindows(GetDesktopWindow(), CollectDocked,
                   reinterpret_cast<LPARAM>(&icons));
  return icons;
}

} // namespace harness
