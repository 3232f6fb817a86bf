#include "fixture_roles.h"
#include "suite.h"
#include "wait.h"

#include <cstdlib>

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
  for (HWND w = GetTopWindow(nullptr); w != nullptr;
       w = GetWindow(w, GW_HWNDNEXT)) {
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
    const size_t space = entry.rfind(' ');
    if (space == std::string::npos)
      continue;
    const long long handle = std::atoll(entry.c_str() + space + 1);
    HWND hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
    DWORD pid = 0;
    if (GetWindowThreadProcessId(hwnd, &pid) != 0 && pid == fixture.ProcessId())
      mine.push_back(entry);
  }
  return mine;
}

int IndexOfEntry(const Tamer &tamer, const std::string &entry) {
  const std::vector<std::string> entries = ReadList(tamer.Ctl().list);
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i] == entry)
      return static_cast<int>(i);
  return -1;
}

std::string RoleEntry(const Fixture &fixture, const std::string &role) {
  return EntryFor(RoleTitle(role), fixture.Window(role));
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

} // namespace e2e
