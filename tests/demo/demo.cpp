// The demonstration that ./run shows without a display: "Locate Top Most
// Window" finds the fixture's always-on-top ad banner, which is selected,
// minimised and restored, then kept off top while it tries to come back
// every 100 ms; that is remembered, and after a restart of the program the
// banner is off top at once. A screenshot of the screen after each step.
#include "../e2e/suite.h"

#include "resource.h"

namespace e2e {

void Demo(Suite &suite) {
  Tamer &t = suite.tamer;
  const HWND ad = suite.Role("demo");
  const auto shot = [](const char *name) {
    WaitUntil([] { return false; }, 300); // the windows repaint
    return Screenshot(name);
  };
  Context("demonstration");
  CHECK(shot("1-start") && Press(t.locate) && shot("2-locate") &&
        Select(t, 0) && shot("3-select") && Press(t.minimize) &&
        BecomesIconic(ad, true) && shot("4-minimize") && Press(t.restore) &&
        BecomesIconic(ad, false) && shot("5-restore") &&
        Send(ad, fixture::kReassert, 100) &&
        Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop) &&
        SampleOnTop(ad, 1000).share < 0.5 && shot("6-keep-off-top") &&
        Send(t.form, WM_COMMAND, IDM_mnuRemember) && Restart(suite) &&
        SampleOnTop(ad, 1000).share < 0.5 && shot("7-restarted") &&
        Press(t.tasks) && shot("8-remembered"));
}

} // namespace e2e
