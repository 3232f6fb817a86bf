// catalogue_test [--fixture PATH] [--ready-timeout SECONDS]
//
// Fills a real list box from the desktop while fixture.exe holds the
// catalogue's edge cases open in another process, then checks the list
// against what the window manager reports.
#include "MTaskList.h"
#include "modHideWin.h"

// After the catalogue's headers: <windows.h> defines macros (TRUE,
// LB_ADDSTRING) that would clash with their constants.
#include "check.h"
#include "desktop.h"
#include "fixture_client.h"
#include "fixture_scenarios.h"
#include "pump.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::string>;

HWND HwndOfEntry(const std::string &entry) {
  return desktop::HandleFromValue(modHideWin::HwndFromEntry(entry));
}

Entries Fill(HWND list) {
  MTaskList::FillTaskList(list);
  return desktop::ReadEntries(list);
}

// Entry text for a check's name, short enough for one line.
std::string Abbreviated(const std::string &entry) {
  constexpr std::size_t kShown = 40;
  if (entry.size() <= kShown)
    return "\"" + entry + "\"";
  return "\"" + entry.substr(0, kShown) + "...\" (" +
         std::to_string(entry.size()) + " characters)";
}

int CountEntriesOf(const Entries &entries, HWND hwnd) {
  int count = 0;
  for (const std::string &entry : entries)
    count += HwndOfEntry(entry) == hwnd ? 1 : 0;
  return count;
}

int IndexOf(const Entries &entries, HWND hwnd) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (HwndOfEntry(entries[i]) == hwnd)
      return static_cast<int>(i);
  return -1;
}

// Every entry names a window that the window manager says qualifies, and
// carries that window's own title and handle.
void CheckEachEntry(const Entries &entries) {
  for (const std::string &entry : entries) {
    const HWND hwnd = HwndOfEntry(entry);
    const std::string about = "entry " + Abbreviated(entry);
    if (!CHECK_TRUE(about + " names a window", IsWindow(hwnd) != FALSE))
      continue;
    CHECK_TRUE(about + " is visible", IsWindowVisible(hwnd) != FALSE);
    CHECK_TRUE(about + " has no parent", GetParent(hwnd) == nullptr);
    CHECK_TRUE(about + " has no owner", GetWindow(hwnd, GW_OWNER) == nullptr);
    CHECK_EQ(about + " title", desktop_view::ListedTitle(hwnd),
             desktop::TitleOfEntry(entry));
    CHECK_EQ(about + " format", desktop::EntryFor(hwnd), entry);
  }
}

// One check per fixture window: listed once with its cut title, or absent.
void CheckFixtureRows(const Entries &entries, const fixture::Process &fx,
                      const std::vector<fixture::WindowPlan> &plans) {
  for (const fixture::WindowPlan &plan : plans) {
    const HWND hwnd = fx.Find(plan.kind);
    if (!CHECK_TRUE("fixture window " + plan.kind + " exists",
                    IsWindow(hwnd) != FALSE))
      continue;
    CHECK_EQ("entries for fixture window " + plan.kind, plan.listed ? 1 : 0,
             CountEntriesOf(entries, hwnd));
    const int index = IndexOf(entries, hwnd);
    if (plan.listed && index >= 0)
      CHECK_EQ("entry text of fixture window " + plan.kind,
               fixture::ListedTitle(plan) + " " +
                   std::to_string(desktop::HandleValue(hwnd)),
               entries[static_cast<std::size_t>(index)]);
  }
}

void CheckLongTitle(const Entries &entries, const fixture::Process &fx) {
  const int index = IndexOf(entries, fx.Find("long"));
  if (!CHECK_TRUE("300-character title listed", index >= 0))
    return;
  CHECK_EQ(
      std::string("300-character title's listed length"), std::size_t{255},
      desktop::TitleOfEntry(entries[static_cast<std::size_t>(index)]).size());
}

void CheckTwins(const Entries &entries, const fixture::Process &fx) {
  int twins = 0;
  for (const std::string &entry : entries)
    twins += desktop::TitleOfEntry(entry) == "Fixture twin" ? 1 : 0;
  CHECK_EQ(std::string("entries titled \"Fixture twin\""), 2, twins);
  CHECK_TRUE("twins differ in their handle",
             fx.Find("twin-1") != fx.Find("twin-2"));
}

// The list is exactly the qualifying windows of the window manager's own Z
// order walk, in that order.
void CheckZOrder(const Entries &entries) {
  const Entries expected = desktop::ExpectedEntries();
  CHECK_EQ(std::string("entry count equals qualifying windows in Z order"),
           expected.size(), entries.size());
  std::size_t i = 0;
  while (i < expected.size() && i < entries.size() && expected[i] == entries[i])
    ++i;
  const auto at = [i](const Entries &list) {
    return i < list.size() ? list[i] : std::string("<end of list>");
  };
  CHECK_EQ("entries in Z order (compared up to index " + std::to_string(i) +
               ")",
           at(expected), at(entries));
}

void CheckTopmostFirst(const Entries &entries, const fixture::Process &fx) {
  const int topmost = IndexOf(entries, fx.Find("topmost"));
  if (!CHECK_TRUE("topmost fixture window listed", topmost >= 0))
    return;
  int firstOrdinary = -1;
  for (std::size_t i = 0; i < entries.size() && firstOrdinary < 0; ++i)
    if (!(GetWindowLongPtrA(HwndOfEntry(entries[i]), GWL_EXSTYLE) &
          WS_EX_TOPMOST))
      firstOrdinary = static_cast<int>(i);
  CHECK_TRUE("topmost fixture window (index " + std::to_string(topmost) +
                 ") before every ordinary window (first at index " +
                 std::to_string(firstOrdinary) + ")",
             firstOrdinary < 0 || topmost < firstOrdinary);
}

void CheckRefill(HWND list, const Entries &first) {
  const Entries second = Fill(list);
  CHECK_EQ(std::string("refill count"), first.size(), second.size());
  CHECK_TRUE("refill lists the same entries", first == second);
}

} // namespace

int main(int argc, char **argv) {
  const std::string fixturePath = fixture::OptionValue(
      argc, argv, "--fixture", fixture::SiblingPath("fixture.exe"));
  // Generous: a 32-bit fixture under CPU emulation takes about a minute to
  // start.
  const DWORD readyTimeoutMs =
      static_cast<DWORD>(std::atoi(
          fixture::OptionValue(argc, argv, "--ready-timeout", "180").c_str())) *
      1000;

  const std::vector<fixture::WindowPlan> plans = fixture::CatalogueScenario();
  fixture::Process fx;
  const bool started = fx.Start(fixturePath, "catalogue", readyTimeoutMs);
  if (!CHECK_TRUE("fixture started" + (started ? "" : ": " + fx.Error()),
                  started))
    return wine_check::Summary("catalogue_test");
  CHECK_EQ(std::string("fixture windows reported"), plans.size(),
           fx.Windows().size());

  desktop::ListHost host;
  if (!CHECK_TRUE("list box created", host.Create(false, 400, 300)))
    return wine_check::Summary("catalogue_test");
  wine_pump::UntilIdle();

  const Entries entries = Fill(host.List());
  CHECK_TRUE("list not empty", !entries.empty());
  CheckEachEntry(entries);
  CheckFixtureRows(entries, fx, plans);
  CheckLongTitle(entries, fx);
  CheckTwins(entries, fx);
  CheckZOrder(entries);
  CheckTopmostFirst(entries, fx);
  CheckRefill(host.List(), entries);

  fx.Stop();
  return wine_check::Summary("catalogue_test");
}
