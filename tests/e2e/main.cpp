// tamer_test.exe MODE PROGRAM FIXTURE WORKDIR DPI
//
// MODE full: every behaviour of the program; layout: the opening state and
// the layout only (for the other DPIs); smoke: the list commands only (for
// the other build); load: many windows, churning windows, a closed target
// and leaks over many cycles. WORKDIR is a Unix folder for screenshots.
// Ends with "MODE: N passed, N failed".
#include "check.h"
#include "suite.h"
#include "unix.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv) {
  if (argc != 6) {
    std::printf("usage: tamer_test MODE PROGRAM FIXTURE WORKDIR DPI\n");
    return 2;
  }
  const std::string mode = argv[1];
  e2e::Suite suite;
  suite.program = argv[2];
  suite.fixture = argv[3];
  harness::SetWorkDir(argv[4]);
  suite.dpi = std::atoi(argv[5]);
  setvbuf(stdout, nullptr, _IONBF, 0);

  harness::Context("start");
  if (mode != "layout" &&
      !CHECK(suite.roles.Start(suite.fixture, "roles", fixture::kControlCaption,
                               false)))
    return harness::Summary(argv[1]);
  if (!CHECK(suite.tamer.Start(suite.program)))
    return harness::Summary(argv[1]);

  using Case = void (*)(e2e::Suite &);
  struct Mode {
    const char *name;
    Case cases[8];
  };
  const Mode modes[] = {
      {"full",
       {e2e::TestOpening, e2e::TestLayout, e2e::TestFillAndLocate,
        e2e::TestTargets, e2e::TestHung, e2e::TestRealInput, e2e::TestEnding}},
      {"layout", {e2e::TestOpening, e2e::TestLayout}},
      {"smoke", {e2e::TestFillAndLocate, e2e::TestTargets}},
      {"load",
       {e2e::TestBulk, e2e::TestChurn, e2e::TestClosedTarget, e2e::TestLeaks}},
  };
  for (const Mode &run : modes)
    if (mode == run.name)
      for (Case test : run.cases)
        if (test != nullptr)
          test(suite);
  suite.tamer.program.Stop();
  suite.roles.Stop();
  return harness::Summary(argv[1]);
}
