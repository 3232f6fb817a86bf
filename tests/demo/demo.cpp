// The demonstration that ./run shows without a display: "Locate Top Most
// Window" finds the fixture's always-on-top ad banner, which is selected,
// minimised and restored, with a screenshot of the screen after each step.
#include "../e2e/suite.h"

namespace e2e {

void Demo(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND ad = suite.Role("demo");
  const auto shot = [](const char *name) {
    WaitUntil([] { return false; }, 300); // the windows repaint
    return Screenshot(name);
  };
  Context("demonstration");
  CHECK(shot("1-start") && Press(t.locate) && shot("2-locate") &&
        Select(t, 0) && shot("3-select") && Press(t.minimize) &&
        BecomesIconic(ad, true) && shot("4-minimize") && Press(t.restore) &&
        BecomesIconic(ad, false) && shot("5-restore"));
}

} // namespace e2e
