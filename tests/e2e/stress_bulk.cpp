// 5,000 listed windows from two processes: "Get All Windows" lists every
// qualifying window of the desktop in the window manager's Z order, and each
// bulk window's entry carries its whole title and its handle.
#include "check.h"
#include "desktop.h"
#include "fixture_roles.h"
#include "liveness.h"
#include "stress.h"
#include "wait.h"

#include <cstdlib>
#include <set>

namespace e2e {
namespace {

constexpr int kProcesses = 2;
constexpr int kPerProcess = 2500;
// Generous: the fill is measured and reported, not timed.
constexpr DWORD kFillMs = 60000;

std::string Ms(DWORD since) {
  return std::to_string(GetTickCount() - since) + " ms";
}

} // namespace

void StressBulkList(Suite &suite, Tamer &tamer) {
  SetContext("5,000 windows: start the bulk processes");
  FixtureProcess bulk[kProcesses];
  DWORD since = GetTickCount();
  bool ready = true;
  for (int i = 0; i < kProcesses; ++i)
    ready &= CHECK_TRUE(
        bulk[i].Launch(suite.fixture_exe, "bulk",
                       suite.work_dir + "\\bulk-" + std::to_string(i) + ".txt",
                       std::to_string(kPerProcess) + " " + std::to_string(i)));
  for (FixtureProcess &process : bulk)
    ready = ready && CHECK_TRUE(process.AwaitReady());
  Figure("5,000 windows: the bulk processes made their windows in " +
         Ms(since));
  if (!ready)
    return;
  std::set<std::string> wanted;
  for (int i = 0; i < kProcesses; ++i)
    for (const auto &[index, hwnd] : bulk[i].Read())
      wanted.insert(EntryFor(BulkTitle(i, std::atoi(index.c_str())), hwnd));
  CHECK_EQ(size_t{kProcesses * kPerProcess}, wanted.size());

  SetContext("5,000 windows: Get All Windows");
  since = GetTickCount();
  CHECK_TRUE(Press(tamer.Ctl().tasks, kFillMs));
  Figure("5,000 windows: the fill took " + Ms(since));
  since = GetTickCount();
  const std::vector<std::string> entries = ReadList(tamer.Ctl().list);
  Figure("5,000 windows: reading " + std::to_string(entries.size()) +
         " entries took " + Ms(since));
  CHECK_SAME_LIST(EntriesOf(QualifyingWindows()), entries);

  SetContext("5,000 windows: every bulk window with its whole title");
  size_t found = 0;
  for (const std::string &entry : entries)
    found += wanted.count(entry);
  CHECK_EQ(wanted.size(), found);
  CHECK_TRUE(DispatchesPosted(tamer));

  SetContext("5,000 windows: stop the bulk processes");
  since = GetTickCount();
  for (FixtureProcess &process : bulk)
    CHECK_TRUE(process.Stop());
  Figure("5,000 windows: the bulk processes left in " + Ms(since));
}

} // namespace e2e
