// tamer_test.exe MODE PROGRAM FIXTURE WORKDIR DPI
//
// MODE full: every behaviour of the program; layout: the opening state and
// the layout only (for the other DPIs); smoke: the list commands only (for
// the other build); load: many windows, churning windows and leaks over
// many cycles; demo: the demonstration that ./run shows; rulesfile: the
// rules file, written by saver.exe beside FIXTURE (PROGRAM is not started).
// WORKDIR is a Unix folder for screenshots.
// Ends with "MODE: N passed, N failed".
#include "suite.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
  if (argc != 6)
    return 2;
  const std::string mode = argv[1];
  e2e::Suite suite{argv[2], argv[3], std::atoi(argv[5]), {}, {}, {}};
  harness::SetWorkDir(argv[4]);
  setvbuf(stdout, nullptr, _IONBF, 0);
  // The programs started from here keep their rules in the run's folder,
  // empty at first whatever an earlier run left there.
  harness::RunUnix("rm -rf " +
                   harness::ShellWord(harness::WorkDir() + "/appdata"));
  CreateDirectoryA(e2e::AppData().c_str(), nullptr);
  SetEnvironmentVariableA("APPDATA", e2e::AppData().c_str());

  // The rules file's cases need neither the program nor the fixture's
  // windows.
  if (mode == "rulesfile") {
    e2e::TestRulesFile(argv[3]);
    return harness::Summary(argv[1]);
  }

  harness::Context("start");
  // The tray first: Wine shows the icons of a display without one over the
  // form.
  if (!CHECK(suite.tray.Start()) ||
      !CHECK(suite.roles.Start(suite.fixture, mode == "demo" ? "demo" : "roles",
                               fixture::kControlCaption, false)) ||
      !CHECK(suite.tamer.Start(suite.program)))
    return harness::Summary(argv[1]);

  using namespace e2e;
  const struct {
    const char *modes;
    void (*run)(Suite &);
  } cases[] = {
      {"full layout", TestOpening},

      {"full smoke", TestFillAndLocate},
      {"full smoke", TestTargets},
      {"full", TestHung},
      {"full", TestRealInput},
      {"full", TestContextMenu},
      {"full layout", TestRows},
      {"full", TestKeepOffTop},
      {"full", TestRules},
      {"full smoke", TestPlantedDlls},
      {"full", TestNotices},
      {"full", TestIcon},
      {"full", TestIconMenu},
      {"full", TestSignIn},
      {"full", TestTaskbarCreated},
      {"load", TestBulk},
      {"load", TestChurn},
      {"load", TestLeaks},
      {"demo", Demo},
  };
  for (const auto &c : cases)
    if (std::string(c.modes).find(mode) != std::string::npos)
      c.run(suite);
  return harness::Summary(argv[1]); // the suite then stops what it started
}
