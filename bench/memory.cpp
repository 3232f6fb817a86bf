// bench memory [N]: what TopmostTamer.exe keeps in memory. Its working set
// after start against the bare minimal program's, over alternating starts;
// then, with N fixture windows on the desktop, after 100 and after 200
// clicks on "Get All Windows", to show that it does not grow with the
// number of fills.
#include "bench.h"
#include "tamer.h"

#include <psapi.h>

#include <cstdio>

namespace bench {
namespace {

constexpr int kRounds = 5;
constexpr int kFillsPerStep = 100;

// The working set in KB once the program has dealt with everything sent to
// it; negative if it cannot be read.
double WorkingSetKb(const harness::Program &program) {
  harness::Answers(program.Window());
  WaitForInputIdle(program.Handle(), harness::kSettleMs);
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(program.Handle(), &counters, sizeof counters))
    return -1;
  return static_cast<double>(counters.WorkingSetSize) / 1024;
}

double StartedKb(const std::string &exe, const std::string &args,
                 const char *caption) {
  harness::Program program;
  if (!program.Start(Beside(exe), args, caption, true))
    return -1;
  return WorkingSetKb(program);
}

// Clicks "Get All Windows" `fills` times: each click returns once its fill
// is done. False if the program stopped answering.
bool ClickFills(const harness::Tamer &tamer, int fills) {
  for (int i = 0; i < fills; ++i)
    if (!harness::Press(tamer.tasks, 60 * 1000))
      return false;
  return true;
}

} // namespace

int Memory(int windows) {
  std::vector<double> tamerKb;
  std::vector<double> minimalKb;
  for (int round = 0; round < kRounds; ++round) {
    tamerKb.push_back(StartedKb(kTamerExe, "", harness::kCaption));
    minimalKb.push_back(
        StartedKb("minimal_bare.exe", kMinimalCaption, kMinimalCaption));
    if (tamerKb.back() < 0 || minimalKb.back() < 0)
      return 1;
  }
  const Spread tamerSpread = Print("tamer_start_kb", tamerKb);
  const Spread minimalSpread = Print("minimal_start_kb", minimalKb);
  const Spread ratio = PrintRatio("ratio", tamerKb, minimalKb);

  const std::vector<harness::Program> fixtures = StartFixtures(windows);
  harness::Tamer tamer;
  if (fixtures.empty() || !tamer.Start(Beside(kTamerExe)))
    return 1;
  const double started = WorkingSetKb(tamer.program);
  if (!ClickFills(tamer, kFillsPerStep))
    return 1;
  const double after100 = WorkingSetKb(tamer.program);
  if (!ClickFills(tamer, kFillsPerStep))
    return 1;
  const double after200 = WorkingSetKb(tamer.program);
  std::printf("with %d windows: start_kb=%.0f after100_kb=%.0f "
              "after200_kb=%.0f\n",
              windows, started, after100, after200);
  std::printf("memory windows=%d tamer_kb=%.0f minimal_kb=%.0f "
              "after100_kb=%.0f after200_kb=%.0f ratio=%.3f\n",
              windows, tamerSpread.median, minimalSpread.median, after100,
              after200, ratio.median);
  return 0;
}

} // namespace bench
