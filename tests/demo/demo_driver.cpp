// demo_driver.exe PROGRAM FIXTURE SHOTDIR: a short demonstration of Topmost
// Tamer beside an always-on-top ad banner: "Locate Top Most Window", the
// selection, "MiniMize" and "Restore Size", with a screenshot of the screen
// after each step saved as SHOTDIR/N-STEP.png.
#include "fixture.h"
#include "tamer.h"
#include "unix.h"

#include <cstdio>

namespace {

// Lets the windows repaint, then takes the picture.
bool Shot(const char *name) {
  harness::WaitUntil([] { return false; }, 300);
  std::printf("step %s\n", name);
  return harness::Screenshot(name);
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 4) {
    std::printf("usage: demo_driver PROGRAM FIXTURE SHOTDIR\n");
    return 2;
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  harness::SetWorkDir(argv[3]);
  harness::Program banner;
  harness::Tamer t;
  if (!banner.Start(argv[2], "demo", fixture::kControlCaption, false) ||
      !t.Start(argv[1]))
    return 1;
  const HWND ad = FindWindowA(nullptr, "Demo Ad Banner - Click to Win!");
  const bool shown = Shot("1-start") && harness::Press(t.locate) &&
                     Shot("2-locate") && harness::Select(t, 0) &&
                     Shot("3-select") && harness::Press(t.minimize) &&
                     harness::BecomesIconic(ad, true) && Shot("4-minimize") &&
                     harness::Press(t.restore) &&
                     harness::BecomesIconic(ad, false) && Shot("5-restore");
  return shown ? 0 : 1;
}
