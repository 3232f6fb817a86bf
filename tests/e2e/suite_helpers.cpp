#include "check.h"
#include "desktop.h"
#include "fixture_roles.h"
#include "suite.h"
#include "wait.h"

namespace e2e {
namespace {

const Role *RoleOf(const Fixture &fixture, HWND hwnd) {
  for (const Role &role : kRoles)
    if (fixture.Window(role.name) == hwnd)
      return &role;
  return nullptr;
}

} // namespace

std::vector<std::string> ExpectedFixtureEntries(const Fixture &fixture) {
  std::vector<std::string> expected;
  for (HWND w : ZOrder()) {
    const Role *role = RoleOf(fixture, w);
    if (role != nullptr && role->listed)
      expected.push_back(EntryFor(RoleTitle(role->name), w));
  }
  return expected;
}

std::vector<std::string>
FixtureEntriesOf(const std::vector<std::string> &entries,
                 const Fixture &fixture) {
  std::vector<std::string> mine;
  for (const std::string &entry : entries) {
    DWORD pid = 0;
    if (GetWindowThreadProcessId(HandleOfEntry(entry), &pid) != 0 &&
        pid == fixture.ProcessId())
      mine.push_back(entry);
  }
  return mine;
}

int IndexOfEntry(const Tamer &tamer, const std::string &entry) {
  // In UTF-16, as the list holds it, so no ANSI round trip can blur bytes.
  const std::wstring wanted = Widen(entry);
  const std::vector<std::wstring> entries = ReadListWide(tamer.Ctl().list);
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == wanted)
      return static_cast<int>(i);
  return -1;
}

std::string RoleEntry(const Fixture &fixture, const std::string &role) {
  return EntryFor(RoleTitle(role), fixture.Window(role));
}

Snapshot Take(const Tamer &tamer) {
  const Controls &c = tamer.Ctl();
  return {ReadList(c.list), ReadText(c.target),
          IsWindowEnabled(c.minimize) != FALSE,
          IsWindowEnabled(c.restore) != FALSE};
}

void CheckUnchanged(const Snapshot &before, const Tamer &tamer) {
  const Snapshot after = Take(tamer);
  CHECK_SAME_LIST(before.entries, after.entries);
  CHECK_EQ(before.target, after.target);
  CHECK_EQ(before.minimize_enabled, after.minimize_enabled);
  CHECK_EQ(before.restore_enabled, after.restore_enabled);
}

int SelectRole(const Suite &suite, const Tamer &tamer,
               const std::string &role) {
  const int index = IndexOfEntry(tamer, RoleEntry(suite.fixture, role));
  if (!CHECK_TRUE(index >= 0) || !CHECK_TRUE(SelectEntry(tamer, index)))
    return -1;
  return index;
}

int FillAndSelectRole(const Suite &suite, const Tamer &tamer,
                      const std::string &role) {
  if (!CHECK_TRUE(Press(tamer.Ctl().tasks)))
    return -1;
  return SelectRole(suite, tamer, role);
}

void SettleFixture(const Fixture &fixture) {
  // Sent messages are handled in order, so once this one is answered every
  // show request sent before it has been carried out.
  for (const Role &role : kRoles) {
    if (role.kind == Kind::Hung)
      continue;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(fixture.Window(role.name), WM_NULL, 0, 0, SMTO_NORMAL,
                        kSettleMs, &result);
  }
}

bool CheckIconic(const Suite &suite, HWND hwnd, bool iconic) {
  WaitUntil([&] { return (IsIconic(hwnd) != FALSE) == iconic; });
  // The state flips before the window has finished moving.
  SettleFixture(suite.fixture);
  return CHECK_EQ(iconic, IsIconic(hwnd) != FALSE);
}

bool MinimizeThenRestore(const Suite &suite, const Tamer &tamer, HWND hwnd,
                         const std::function<void()> &while_minimised) {
  if (!CHECK_TRUE(Press(tamer.Ctl().minimize)) ||
      !CheckIconic(suite, hwnd, true))
    return false;
  if (while_minimised)
    while_minimised();
  return CHECK_TRUE(Press(tamer.Ctl().restore)) &&
         CheckIconic(suite, hwnd, false);
}

} // namespace e2e
