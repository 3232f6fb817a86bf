// Runs the program under test beside the fixture application and checks it
// from outside. Arguments (Unix paths): the program, the fixture, a work
// directory for markers and screenshots, and the DPI the display is set to.
#include "check.h"
#include "suite.h"
#include "unix_side.h"

#include <cstdio>
#include <cstdlib>

namespace {

using e2e::Suite;
using e2e::Tamer;

void RunOnOneInstance(Suite &suite) {
  Tamer tamer;
  e2e::SetContext("start");
  if (!CHECK_TRUE(tamer.Start(suite.tamer_exe))) {
    tamer.Close();
    return;
  }
  const std::string dpi = std::to_string(suite.dpi);
  e2e::TestInitialState(suite, tamer);
  e2e::TestLayout(suite, tamer);
  e2e::Screenshot(dpi + "-initial");
  e2e::TestFill(suite, tamer);
  e2e::TestTarget(suite, tamer);
  e2e::TestLocate(suite, tamer);
  e2e::TestDoubleClick(suite, tamer);
  e2e::TestInfo(suite, tamer);
  e2e::TestRealInput(suite, tamer);
  e2e::TestFill(suite, tamer);
  SelectEntry(tamer,
              e2e::IndexOfEntry(tamer, e2e::RoleEntry(suite.fixture, "amp")));
  e2e::Screenshot(dpi + "-filled");
  e2e::TestHungWindow(suite, tamer);
  e2e::TestExitButton(suite, tamer);
  tamer.Close();
}

void RunCloseOnFreshInstance(Suite &suite) {
  Tamer tamer;
  e2e::SetContext("start again");
  if (CHECK_TRUE(tamer.Start(suite.tamer_exe)))
    e2e::TestCloseMessage(suite, tamer);
  tamer.Close();
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 5) {
    std::printf("usage: e2e_test PROGRAM FIXTURE WORKDIR DPI\n");
    return 2;
  }
  // Physical pixels, so the layout can be checked at the display's DPI.
  SetProcessDPIAware();
  Suite suite;
  suite.tamer_exe = e2e::WindowsPath(argv[1]);
  suite.dpi = std::atoi(argv[4]);
  e2e::SetUnixWorkDir(argv[3]);

  HDC screen = GetDC(nullptr);
  e2e::SetContext("display DPI");
  CHECK_EQ(suite.dpi, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);

  e2e::SetContext("fixture start");
  if (CHECK_TRUE(suite.fixture.Start(
          e2e::WindowsPath(argv[2]),
          e2e::WindowsPath(std::string(argv[3]) + "/fixture-handles.txt")))) {
    RunOnOneInstance(suite);
    RunCloseOnFreshInstance(suite);
  }
  suite.fixture.Stop();
  std::printf("checks: %d passed, %d failed\n", e2e::Passes(), e2e::Failures());
  return e2e::Failures() == 0 ? 0 : 1;
}
