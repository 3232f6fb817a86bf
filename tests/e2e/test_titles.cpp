// Titles whose own characters could pass for an entry's other parts: every
// byte of the ANSI code page, trailing spaces, trailing digits. The entry must
// reach the target unchanged and its handle must still name the window, which
// only holds if the handle is told apart from the title's own spaces and
// digits.
#include "check.h"
#include "fixture_roles.h"
#include "suite.h"

namespace e2e {
namespace {

struct TitleCase {
  const char *role;
  const char *what;
};

constexpr TitleCase kTitleCases[] = {
    {"allbytes", "every byte 1 to 255 of the ANSI code page"},
    {"trailing", "trailing spaces"},
    {"digits", "trailing digits that look like a handle"},
};

std::vector<std::string> IconicRoles(const Fixture &fixture) {
  std::vector<std::string> iconic;
  for (const Role &role : kRoles)
    if (IsIconic(fixture.Window(role.name)))
      iconic.push_back(role.name);
  return iconic;
}

} // namespace

void TestAwkwardTitles(Suite &suite, Tamer &tamer) {
  const Controls &c = tamer.Ctl();
  for (const TitleCase &row : kTitleCases) {
    SetContext(std::string("title with ") + row.what);
    // Compared in UTF-16: Wine widens the ANSI title once, at creation.
    const std::wstring entry = Widen(RoleEntry(suite.fixture, row.role));
    const int index = FillAndSelectRole(suite, tamer, row.role);
    if (index < 0)
      continue;
    CHECK_EQ(entry, ReadTextWide(c.target));
    MinimizeThenRestore(suite, tamer, suite.fixture.Window(row.role), [&] {
      CHECK_SAME_LIST(std::vector<std::string>{row.role},
                      IconicRoles(suite.fixture));
    });
  }
}

} // namespace e2e
