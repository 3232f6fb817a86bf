#include "driver.h"

#include "check.h"
#include "unix_side.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

int RunDriver(int argc, char **argv, void (*cases)(Suite &suite)) {
  if (argc != 5) {
    std::printf("usage: %s PROGRAM FIXTURE WORKDIR DPI\n", argv[0]);
    return 2;
  }
  // Physical pixels, so the layout can be checked at the display's DPI.
  SetProcessDPIAware();
  Suite suite;
  suite.tamer_exe = WindowsPath(argv[1]);
  suite.fixture_exe = WindowsPath(argv[2]);
  suite.work_dir = WindowsPath(argv[3]);
  suite.dpi = std::atoi(argv[4]);
  SetUnixWorkDir(argv[3]);

  HDC screen = GetDC(nullptr);
  SetContext("display DPI");
  CHECK_EQ(suite.dpi, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);

  SetContext("fixture start");
  if (CHECK_TRUE(suite.fixture.Start(suite.fixture_exe,
                                     suite.work_dir + "\\fixture-roles.txt")))
    cases(suite);
  suite.fixture.Stop();
  std::printf("checks: %d passed, %d failed\n", Passes(), Failures());
  return Failures() == 0 ? 0 : 1;
}

} // namespace e2e
