// 300 fill-select-minimise-restore cycles: after a warm-up, the program's
// GDI and USER object counts, its handle counts and its window count stay
// within a small band, so no cycle leaks.
#include "check.h"
#include "process_counts.h"
#include "stress.h"
#include "wait.h"

#include <algorithm>

namespace e2e {
namespace {

constexpr int kWarmUp = 10;
constexpr int kCycles = 300;
constexpr long long kTolerance = 8;

struct Counter {
  const char *name;
  long long Counts::*value;
};

constexpr Counter kCounters[] = {
    {"GDI objects", &Counts::gdi},
    {"USER objects", &Counts::user},
    {"handles", &Counts::handles},
    {"handles in the system table", &Counts::table_handles},
    {"windows", &Counts::windows},
};

bool Cycle(const Suite &suite, const Tamer &tamer) {
  return FillAndSelectRole(suite, tamer, "ordinary") >= 0 &&
         MinimizeThenRestore(suite, tamer, suite.fixture.Window("ordinary"));
}

} // namespace

void StressResources(Suite &suite, Tamer &tamer) {
  SetContext("resources: open the program's process");
  HANDLE process =
      OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, tamer.ProcessId());
  if (!CHECK_TRUE(process != nullptr))
    return;
  const Counts start = ReadCounts(process, tamer.ProcessId());
  Counts base = {}, low = {}, high = {}, last = {};
  const DWORD started = GetTickCount();
  int done = 0;
  for (int cycle = 1; cycle <= kWarmUp + kCycles; ++cycle) {
    SetContext("resources: cycle " + std::to_string(cycle));
    if (!Cycle(suite, tamer))
      break;
    last = ReadCounts(process, tamer.ProcessId());
    done = cycle;
    if (cycle == kWarmUp)
      base = low = high = last;
    if (cycle <= kWarmUp)
      continue;
    for (const Counter &k : kCounters) {
      low.*k.value = std::min(low.*k.value, last.*k.value);
      high.*k.value = std::max(high.*k.value, last.*k.value);
    }
  }
  const DWORD elapsed = GetTickCount() - started;
  CloseHandle(process);
  Figure("resources: " + std::to_string(done) + " cycles in " +
         std::to_string(elapsed) + " ms");

  SetContext("resources: counts after the warm-up stay flat");
  if (!CHECK_EQ(kWarmUp + kCycles, done))
    return;
  for (const Counter &k : kCounters) {
    Figure("resources: " + std::string(k.name) + " at start " +
           std::to_string(start.*k.value) + ", after warm-up " +
           std::to_string(base.*k.value) + ", lowest " +
           std::to_string(low.*k.value) + ", highest " +
           std::to_string(high.*k.value) + ", at end " +
           std::to_string(last.*k.value));
    SetContext(std::string("resources: ") + k.name + " stay flat");
    CHECK_NEAR(base.*k.value, low.*k.value, kTolerance);
    CHECK_NEAR(base.*k.value, high.*k.value, kTolerance);
  }
  SetContext("resources: the program's handles and windows are counted");
  CHECK_TRUE(std::max(last.handles, last.table_handles) > 0);
  CHECK_TRUE(last.windows > 0);
  if (high.gdi == 0 && high.user == 0)
    Figure("resources: GetGuiResources gave 0 GDI and USER objects in every "
           "cycle: this Wine does not count them");
  if (high.handles == 0)
    Figure("resources: GetProcessHandleCount gave 0 in every cycle: this "
           "Wine does not count them; the system handle table does");
}

} // namespace e2e
