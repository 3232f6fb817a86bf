// The program under load and faults: thousands of windows, windows that
// vanish while it lists them, and a thousand cycles of use watched for
// leaks.
#include "suite.h"

#include <winternl.h>

namespace e2e {
namespace {

// The GDI objects that a process holds: Wine keeps their table in the
// process, where its PEB points (GdiSharedHandleTable). A 64-bit reader sees
// the 64-bit PEB of 32- and 64-bit processes alike.
int GdiObjects(HANDLE process) {
  static BYTE table[0x10000][24]; // entries of 24 bytes, the type at 14
  PROCESS_BASIC_INFORMATION basic = {};
  UINT64 address = 0;
  NtQueryInformationProcess(process, ProcessBasicInformation, &basic,
                            sizeof basic, nullptr);
  if (!ReadProcessMemory(process,
                         reinterpret_cast<char *>(basic.PebBaseAddress) + 0xF8,
                         &address, sizeof address, nullptr) ||
      !ReadProcessMemory(process, reinterpret_cast<void *>(address), table,
                         sizeof table, nullptr))
    return -1;
  int count = 0;
  for (const BYTE *entry : table)
    count += entry[14] != 0; // a free entry has type 0
  return count;
}

} // namespace

void TestBulk(Suite &suite) {
  Context("5,000 windows of two processes");
  Program bulk[2];
  for (Program &process : bulk)
    CHECK(process.Start(suite.fixture, "bulk 2500", fixture::kControlCaption,
                        false));
  CHECK(ZOrderSettles());
  CHECK(Press(suite.tamer.tasks, 60 * 1000));
  CHECK_LIST(ExpectedEntries(), EntriesOf(suite.tamer.list));
}

void TestChurn(Suite &suite) {
  Context("filling while windows come and go");
  Program churn;
  CHECK(churn.Start(suite.fixture, "churn", fixture::kControlCaption, false));
  // The churning windows differ between any two looks; the rest may not.
  const auto settled = [](const std::vector<std::string> &entries) {
    std::vector<std::string> kept;
    for (const std::string &entry : entries)
      if (entry.rfind("Churn #", 0) != 0)
        kept.push_back(entry);
    return kept;
  };
  int churned = 0;
  for (int fill = 0; fill < 50; ++fill) {
    CHECK(Press(suite.tamer.tasks));
    const std::vector<std::string> entries = EntriesOf(suite.tamer.list);
    churned += static_cast<int>(entries.size() - settled(entries).size());
    CHECK_LIST(settled(ExpectedEntries()), settled(entries));
  }
  CHECK(churned > 0);
}

void TestLeaks(Suite &suite) {
  const Tamer &t = suite.tamer;
  constexpr int kWarmUp = 20, kCycles = 1000;
  int gdi = 0, windows = 0;
  if (!CHECK(Target(t, suite.Role("ordinary"))))
    return;
  const int index = static_cast<int>(SendMessageA(t.list, LB_GETCURSEL, 0, 0));
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    Context("leaks, cycle " + std::to_string(cycle));
    // Every tenth cycle changes the DPI, to and fro: the one path that
    // makes and deletes fonts. The program's side of a show command is over
    // when the click returns; the target follows in its own time.
    bool ok = Press(t.tasks) && Select(t, index) && Press(t.minimize) &&
              Press(t.restore);
    if (cycle % 10 == 0)
      ok = ok && ChangeDpi(t, cycle % 20 ? suite.dpi * 5 / 4 : suite.dpi);
    if (!CHECK(ok))
      return;
    if (cycle == kWarmUp) {
      gdi = GdiObjects(t.program.Handle());
      windows = WindowCount(t.form);
    }
  }
  Context("leaks over the cycles");
  CHECK(WaitUntil([&] { return suite.Iconic() == 0; }));
  // A leak of one object a DPI change would add 100.
  CHECK(gdi > 0 && GdiObjects(t.program.Handle()) <= gdi + 16);
  CHECK(windows > 0 && WindowCount(t.form) == windows);
}

} // namespace e2e
