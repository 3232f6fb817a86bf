// Another process creates and destroys windows as fast as it can while the
// list is filled 100 times: the program survives, answers between fills, and
// lists only windows that really existed, each with its own title, beside
// every window that lives through the test.
#include "check.h"
#include "desktop.h"
#include "fixture_roles.h"
#include "liveness.h"
#include "stress.h"
#include "wait.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace e2e {
namespace {

constexpr int kFills = 100;

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

// The entries of every window the churn process ever made.
std::set<std::string> ChurnEntries(const FixtureProcess &churn) {
  std::set<std::string> made;
  for (const auto &[index, hwnd] : churn.Read())
    made.insert(EntryFor(ChurnTitle(std::atoi(index.c_str())), hwnd));
  return made;
}

} // namespace

void StressChurn(Suite &suite, Tamer &tamer) {
  SetContext("churn: start the churning process");
  FixtureProcess churn;
  if (!CHECK_TRUE(churn.Start(suite.fixture_exe, "churn",
                              suite.work_dir + "\\churn.txt")))
    return;
  // Every other listed window lives through the test, in this order.
  std::vector<HWND> lasting_windows;
  for (HWND w : QualifyingWindows())
    if (ProcessOf(w) != churn.ProcessId())
      lasting_windows.push_back(w);
  const std::vector<std::string> lasting = EntriesOf(lasting_windows);
  const std::set<std::string> lasting_set(lasting.begin(), lasting.end());

  std::vector<std::vector<std::string>> fills;
  DWORD slowest = 0;
  const DWORD started = GetTickCount();
  for (int i = 1; i <= kFills; ++i) {
    SetContext("churn: fill " + std::to_string(i));
    const DWORD fill_start = GetTickCount();
    if (!CHECK_TRUE(Press(tamer.Ctl().tasks, kSettleMs)) ||
        !CHECK_FALSE(tamer.WaitForExit(0)))
      break;
    slowest = std::max(slowest, GetTickCount() - fill_start);
    fills.push_back(ReadList(tamer.Ctl().list));
    CHECK_TRUE(DispatchesPosted(tamer));
  }
  const DWORD elapsed = GetTickCount() - started;

  SetContext("churn: stop the churning process");
  CHECK_TRUE(churn.Stop());
  const std::set<std::string> made = ChurnEntries(churn);

  size_t churn_listed = 0;
  for (size_t i = 0; i < fills.size(); ++i) {
    SetContext("churn: entries of fill " + std::to_string(i + 1));
    std::vector<std::string> lasting_seen, strangers;
    for (const std::string &entry : fills[i]) {
      if (lasting_set.count(entry) != 0)
        lasting_seen.push_back(entry);
      else if (made.count(entry) != 0)
        ++churn_listed;
      else
        strangers.push_back(entry);
    }
    CHECK_SAME_LIST(lasting, lasting_seen);
    CHECK_SAME_LIST(std::vector<std::string>{}, strangers);
  }
  SetContext("churn: the fills met churning windows");
  CHECK_TRUE(churn_listed > 0);
  Figure("churn: " + std::to_string(fills.size()) + " fills in " +
         std::to_string(elapsed) + " ms (slowest " + std::to_string(slowest) +
         " ms) while " + std::to_string(made.size()) +
         " windows came and went; " + std::to_string(churn_listed) +
         " churning entries listed, " + std::to_string(lasting.size()) +
         " lasting entries per fill");
}

} // namespace e2e
