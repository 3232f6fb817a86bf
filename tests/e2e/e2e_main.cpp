// Runs the program under test beside the fixture application and checks its
// behaviour from outside; the arguments are those of RunDriver.
#include "check.h"
#include "driver.h"
#include "suite.h"
#include "unix_side.h"

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
  e2e::TestAwkwardTitles(suite, tamer);
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

void RunAll(Suite &suite) {
  RunOnOneInstance(suite);
  RunCloseOnFreshInstance(suite);
}

} // namespace

int main(int argc, char **argv) { return e2e::RunDriver(argc, argv, RunAll); }
