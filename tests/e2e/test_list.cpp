// The list commands through the message path: fill, narrow, pick a target,
// minimise and restore it.
#include "check.h"
#include "suite.h"
#include "wait.h"

namespace e2e {
namespace {

bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

bool Target(const Suite &suite, const Tamer &tamer, const std::string &role) {
  return SelectRole(suite, tamer, role) >= 0;
}

bool SameRect(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right &&
         a.bottom == b.bottom;
}

} // namespace

void TestFill(Suite &suite, Tamer &tamer) {
  SetContext("Get All Windows");
  const Controls &c = tamer.Ctl();
  const std::string target = ReadText(c.target);
  const bool min_enabled = Enabled(c.minimize);
  const bool restore_enabled = Enabled(c.restore);
  CHECK_TRUE(Press(c.tasks));
  const std::vector<std::string> entries = ReadList(c.list);
  const std::vector<std::string> expected =
      ExpectedFixtureEntries(suite.fixture);
  CHECK_EQ(expected.size(), FixtureEntriesOf(entries, suite.fixture).size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SetContext("Get All Windows, fixture entry " + std::to_string(i));
    const std::vector<std::string> got =
        FixtureEntriesOf(entries, suite.fixture);
    CHECK_EQ(expected[i], i < got.size() ? got[i] : std::string("<none>"));
  }
  SetContext("Get All Windows leaves out the program's own window");
  for (const std::string &entry : entries) {
    CHECK_FALSE(entry.rfind(kCaption, 0) == 0);
    CHECK_FALSE(entry == EntryFor(kCaption, tamer.Form()));
  }
  SetContext("Get All Windows leaves target and buttons alone");
  CHECK_EQ(target, ReadText(c.target));
  CHECK_EQ(min_enabled, Enabled(c.minimize));
  CHECK_EQ(restore_enabled, Enabled(c.restore));

  SetContext("Get All Windows twice");
  CHECK_TRUE(Press(c.tasks));
  CHECK_EQ(entries.size(), ReadList(c.list).size());
  CHECK_EQ(expected.size(),
           FixtureEntriesOf(ReadList(c.list), suite.fixture).size());
}

void TestTarget(Suite &suite, Tamer &tamer) {
  const Controls &c = tamer.Ctl();
  CHECK_TRUE(Press(c.tasks));

  SetContext("select the entry titled with an ampersand");
  if (Target(suite, tamer, "amp")) {
    CHECK_EQ(RoleEntry(suite.fixture, "amp"), ReadText(c.target));
    CHECK_TRUE(Enabled(c.minimize));
    CHECK_TRUE(Enabled(c.restore));
  }
  SetContext("select the 300-character title");
  if (Target(suite, tamer, "long"))
    CHECK_EQ(RoleEntry(suite.fixture, "long"), ReadText(c.target));

  SetContext("MiniMize then Restore Size");
  const HWND ordinary = suite.fixture.Window("ordinary");
  RECT before;
  GetWindowRect(ordinary, &before);
  if (Target(suite, tamer, "ordinary")) {
    MinimizeThenRestore(suite, tamer, ordinary);
    RECT after;
    GetWindowRect(ordinary, &after);
    CHECK_TRUE(SameRect(before, after));
  }

  SetContext("Restore Size on a normal window");
  CHECK_TRUE(Press(c.restore));
  SettleFixture(suite.fixture);
  RECT unchanged;
  GetWindowRect(ordinary, &unchanged);
  CHECK_FALSE(IsIconic(ordinary));
  CHECK_TRUE(SameRect(before, unchanged));

  SetContext("the target survives a refill");
  CHECK_TRUE(Press(c.tasks));
  CHECK_EQ(RoleEntry(suite.fixture, "ordinary"), ReadText(c.target));
  MinimizeThenRestore(suite, tamer, ordinary);
}

void TestLocate(Suite &suite, Tamer &tamer) {
  SetContext("Locate Top Most Window");
  const Controls &c = tamer.Ctl();
  const std::string target = ReadText(c.target);
  const bool min_enabled = Enabled(c.minimize);
  const bool restore_enabled = Enabled(c.restore);
  CHECK_TRUE(Press(c.locate));
  const std::vector<std::string> entries = ReadList(c.list);
  CHECK_EQ(size_t{1}, entries.size());
  CHECK_EQ(RoleEntry(suite.fixture, "banner"),
           entries.empty() ? std::string("<empty>") : entries[0]);
  CHECK_EQ(LB_ERR, SendMessageW(c.list, LB_GETCURSEL, 0, 0));
  CHECK_EQ(target, ReadText(c.target));
  CHECK_EQ(min_enabled, Enabled(c.minimize));
  CHECK_EQ(restore_enabled, Enabled(c.restore));

  SetContext("Locate, then MiniMize acts on the earlier target");
  const HWND ordinary = suite.fixture.Window("ordinary");
  if (target == RoleEntry(suite.fixture, "ordinary")) {
    MinimizeThenRestore(suite, tamer, ordinary);
  }

  SetContext("select the remaining banner entry");
  const HWND banner = suite.fixture.Window("banner");
  if (CHECK_TRUE(SelectEntry(tamer, 0))) {
    CHECK_EQ(RoleEntry(suite.fixture, "banner"), ReadText(c.target));
    MinimizeThenRestore(suite, tamer, banner);
  }
}

void TestDoubleClick(Suite &suite, Tamer &tamer) {
  SetContext("double-click an entry");
  const Controls &c = tamer.Ctl();
  CHECK_TRUE(Press(c.tasks));
  const HWND twin = suite.fixture.Window("twin2");
  const int index = IndexOfEntry(tamer, RoleEntry(suite.fixture, "twin2"));
  if (!CHECK_TRUE(index >= 0))
    return;
  CHECK_TRUE(DoubleClickEntry(tamer, index));
  CHECK_EQ(RoleEntry(suite.fixture, "twin2"), ReadText(c.target));
  CheckIconic(suite, twin, true);
  CHECK_FALSE(IsIconic(suite.fixture.Window("twin1")));
  CHECK_TRUE(Press(c.restore));
  CheckIconic(suite, twin, false);
}

} // namespace e2e
