// Runs the program under load and faults beside the fixture application,
// one fresh program per case, and reports how long each case took; the
// arguments are those of RunDriver.
#include "check.h"
#include "driver.h"
#include "stress.h"

namespace {

using e2e::Suite;
using e2e::Tamer;

struct StressCase {
  const char *name;
  void (*run)(Suite &suite, Tamer &tamer);
};

// The hung window's case first: the fixture starts with it frozen. The 5,000
// windows last, so that no other case waits on them.
constexpr StressCase kCases[] = {
    {"hung target", e2e::TestHungWindow},
    {"closed target", e2e::StressClosedTarget},
    {"resources", e2e::StressResources},
    {"churn", e2e::StressChurn},
    {"5,000 windows", e2e::StressBulkList},
};

void RunAll(Suite &suite) {
  for (const StressCase &c : kCases) {
    const DWORD start = GetTickCount();
    Tamer tamer;
    e2e::SetContext(std::string(c.name) + ": start the program");
    if (CHECK_TRUE(tamer.Start(suite.tamer_exe)))
      c.run(suite, tamer);
    tamer.Close();
    e2e::Figure(std::string(c.name) + ": " +
                std::to_string(GetTickCount() - start) + " ms");
  }
}

} // namespace

int main(int argc, char **argv) { return e2e::RunDriver(argc, argv, RunAll); }
