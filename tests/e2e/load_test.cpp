// The program under load and faults: thousands of windows, windows that
// vanish while it lists them, a target that has closed, and a thousand
// cycles of use watched for leaks.
#include "check.h"
#include "suite.h"

#include <winternl.h>

#include <cstdio>
#include <cstring>

namespace e2e {
namespace {

bool IsChurn(const std::string &entry) {
  return entry.rfind("Churn #", 0) == 0;
}

std::vector<std::string> WithoutChurn(std::vector<std::string> entries) {
  std::vector<std::string> rest;
  for (std::string &entry : entries)
    if (!IsChurn(entry))
      rest.push_back(std::move(entry));
  return rest;
}

// "Churn #N HANDLE" and nothing else.
bool WellFormed(const std::string &entry) {
  int title = 0, handle = 0, length = 0;
  return std::sscanf(entry.c_str(), "Churn #%d %d%n", &title, &handle,
                     &length) == 2 &&
         static_cast<size_t>(length) == entry.size();
}

// The GDI objects that a process holds: Wine keeps the table of them in the
// process, where its PEB points (GdiSharedHandleTable). Needs a 64-bit
// reader, which sees the 64-bit PEB of 32- and 64-bit processes alike.
int GdiObjects(HANDLE process) {
  struct Entry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type; // 0 for a free entry
    UCHAR flags;
    UINT64 user;
  };
  static Entry table[0x10000];
  PROCESS_BASIC_INFORMATION basic = {};
  UINT64 address = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic,
                                sizeof basic, nullptr) != 0 ||
      !ReadProcessMemory(
          process,
          static_cast<char *>(static_cast<void *>(basic.PebBaseAddress)) + 0xF8,
          &address, sizeof address, nullptr) ||
      !ReadProcessMemory(process, reinterpret_cast<void *>(address), table,
                         sizeof table, nullptr))
    return -1;
  int count = 0;
  for (const Entry &entry : table)
    count += entry.type != 0;
  return count;
}

// What WM_DPICHANGED carries: the window's new rectangle, placed in the
// program's memory since the message is not marshalled between processes.
bool ChangeDpi(const Tamer &t, int dpi, int from) {
  static void *remote = VirtualAllocEx(
      t.program.Handle(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT r;
  GetWindowRect(t.form, &r);
  const RECT suggested = {0, 0, MulDiv(r.right - r.left, dpi, from),
                          MulDiv(r.bottom - r.top, dpi, from)};
  DWORD_PTR ignored = 0;
  return WriteProcessMemory(t.program.Handle(), remote, &suggested,
                            sizeof suggested, nullptr) &&
         SendMessageTimeoutA(t.form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                             reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                             harness::kSettleMs, &ignored);
}

} // namespace

void TestBulk(Suite &suite) {

  const Tamer &t = suite.tamer;
  harness::Context("5,000 windows of two processes");
  harness::Program bulk[2];
  for (harness::Program &process : bulk)
    CHECK(process.Start(suite.fixture, "bulk 2500", fixture::kControlCaption,
                        false));
  CHECK(harness::ZOrderSettles());
  const DWORD started = GetTickCount();
  CHECK(Press(t.tasks, 60 * 1000));
  std::printf("figure: a fill of %ld entries took %lu ms\n",
              static_cast<long>(SendMessageA(t.list, LB_GETCOUNT, 0, 0)),
              GetTickCount() - started);
  CHECK_LIST(harness::ExpectedEntries(), harness::EntriesOf(t.list));
}

void TestChurn(Suite &suite) {

  const Tamer &t = suite.tamer;
  harness::Context("filling while windows come and go");
  harness::Program churn;
  CHECK(churn.Start(suite.fixture, "churn", fixture::kControlCaption, false));
  int churned = 0;
  for (int fill = 0; fill < 50; ++fill) {
    CHECK(Press(t.tasks) && Responsive(t));
    const std::vector<std::string> entries = harness::EntriesOf(t.list);
    for (const std::string &entry : entries)
      churned += IsChurn(entry) && CHECK(WellFormed(entry));
    CHECK_LIST(WithoutChurn(harness::ExpectedEntries()), WithoutChurn(entries));
  }
  CHECK(churned > 0);
}

void TestClosedTarget(Suite &suite) {
  const Tamer &t = suite.tamer;
  harness::Context("a target whose window has closed");
  const HWND doomed = suite.Role("doomed");
  if (!FillAndSelect(suite, "doomed"))
    return;
  PostMessageA(doomed, WM_CLOSE, 0, 0);
  CHECK(harness::WaitUntil([&] { return !IsWindow(doomed); }));
  CHECK(Press(t.minimize) && Press(t.restore) && Responsive(t));
  int iconic = 0;
  for (const fixture::Role &role : fixture::kRoles)
    iconic += IsIconic(suite.Role(role.name)) != FALSE;
  CHECK_EQ(0, iconic);
}

void TestLeaks(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND ordinary = suite.Role("ordinary");
  constexpr int kWarmUp = 20, kCycles = 1000;
  int gdi = 0, windows = 0;
  if (!FillAndSelect(suite, "ordinary"))
    return;
  const int index = static_cast<int>(SendMessageA(t.list, LB_GETCURSEL, 0, 0));
  const DWORD started = GetTickCount();
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    harness::Context("leaks, cycle " + std::to_string(cycle));
    // Every tenth cycle changes the DPI, to and fro: the one path that
    // makes and deletes fonts. The program's side of a show command is over
    // when the click returns; the target follows in its own time.
    const int high = suite.dpi * 5 / 4;
    bool ok = Press(t.tasks) && Select(t, index) && Press(t.minimize) &&
              Press(t.restore);
    if (cycle % 10 == 0)
      ok = ok && (cycle % 20 == 0 ? ChangeDpi(t, suite.dpi, high)
                                  : ChangeDpi(t, high, suite.dpi));
    if (!CHECK(ok))
      return;
    if (cycle == kWarmUp) {
      gdi = GdiObjects(t.program.Handle());
      windows = harness::WindowCount(t.program.Id());
    }
  }
  const int gdiAfter = GdiObjects(t.program.Handle());
  const int windowsAfter = harness::WindowCount(t.program.Id());
  std::printf("figure: %d cycles in %lu ms; GDI objects %d after the "
              "warm-up, %d at the end; windows %d, then %d\n",
              kCycles, GetTickCount() - started, gdi, gdiAfter, windows,
              windowsAfter);
  harness::Context("leaks over the cycles");
  CHECK(BecomesIconic(ordinary, false));
  CHECK(gdi > 0 && gdiAfter <= gdi + 16); // a leak adds 100 or more
  CHECK(windows > 0 && windowsAfter == windows);
}

} // namespace e2e
