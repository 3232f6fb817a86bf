// The list commands through the message path: fill, narrow, pick a target,
// minimise and restore it, also when its application hangs.
#include "check.h"
#include "suite.h"

#include <algorithm>

namespace e2e {
namespace {

bool Enabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

} // namespace

bool FillAndSelect(const Suite &suite, const char *role) {
  const Tamer &t = suite.tamer;
  const int index = Press(t.tasks) ? IndexOf(t, suite.Entry(role)) : -1;
  return CHECK(index >= 0) && CHECK(Select(t, index));
}

void TestFillAndLocate(Suite &suite) {
  const Tamer &t = suite.tamer;
  const std::string target = TextOf(t.target);
  const bool enabled = Enabled(t.minimize);
  for (const char *fill : {"Get All Windows", "Get All Windows again"}) {
    Context(fill);
    CHECK(Press(t.tasks));
    const std::vector<std::string> entries = EntriesOf(t.list);
    CHECK_LIST(ExpectedEntries(), entries);
    CHECK(std::count(entries.begin(), entries.end(), EntryOf(t.form)) == 0);
  }
  CHECK_EQ(target, TextOf(t.target));
  CHECK_EQ(enabled, Enabled(t.minimize));

  Context("Locate Top Most Window");
  CHECK(Press(t.locate));
  const std::vector<std::string> expected = ExpectedEntries();
  CHECK_EQ(suite.Entry("banner"), expected.front());
  CHECK_LIST(std::vector<std::string>{expected.front()}, EntriesOf(t.list));
  CHECK_EQ(LB_ERR, SendMessageA(t.list, LB_GETCURSEL, 0, 0));
  CHECK_EQ(target, TextOf(t.target));
  CHECK_EQ(enabled, Enabled(t.minimize));
}

void TestTargets(Suite &suite) {
  const Tamer &t = suite.tamer;
  // Titles that could be mistaken for an entry's other parts, a duplicate
  // and one cut at 255 characters.
  for (const char *role :
       {"ordinary", "amp", "trailing", "digits", "twin2", "long", "allbytes"}) {
    Context(std::string("target ") + role);
    const HWND window = suite.Role(role);
    RECT before;
    GetWindowRect(window, &before);
    if (!FillAndSelect(suite, role))
      continue;
    CHECK_EQ(suite.Entry(role), TextOf(t.target));
    CHECK(Enabled(t.minimize) && Enabled(t.restore));
    CHECK(Press(t.minimize) && BecomesIconic(window, true));
    CHECK_EQ(1, suite.Iconic()); // the target's window and no other
    CHECK(Press(t.restore) && BecomesIconic(window, false));
    // Restoring a window that is neither minimised nor maximised keeps it.
    CHECK(Press(t.restore) && Answers(window));
    RECT after;
    GetWindowRect(window, &after);
    CHECK(EqualRect(&before, &after));
  }

  Context("the target survives refilling and narrowing");
  const HWND ordinary = suite.Role("ordinary");
  if (FillAndSelect(suite, "ordinary") && CHECK(Press(t.tasks)) &&
      CHECK(Press(t.locate))) {
    CHECK(Press(t.minimize) && BecomesIconic(ordinary, true));
    CHECK(Press(t.restore) && BecomesIconic(ordinary, false));
  }
}

void TestHung(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND hung = suite.Role("hung");
  Context("target a hung window");
  if (!FillAndSelect(suite, "hung"))
    return;
  // Each row ends in the other state than the row before, so a command that
  // never arrives cannot pass; the last command of a row wins.
  const struct {
    HWND Tamer::*presses[2];
    bool iconic;
  } rows[] = {{{&Tamer::minimize, nullptr}, true},
              {{&Tamer::minimize, &Tamer::restore}, false},
              {{&Tamer::restore, &Tamer::minimize}, true},
              {{&Tamer::restore, nullptr}, false}};
  for (const auto &row : rows) {
    CHECK(SendMessageA(suite.roles.Window(), fixture::kFreeze, 0, 0));
    for (HWND Tamer::*button : row.presses)
      if (button != nullptr)
        CHECK(Press(t.*button, 1000));
    SendMessageA(suite.roles.Window(), fixture::kThaw, 0, 0);
    CHECK(BecomesIconic(hung, row.iconic));
  }
}

} // namespace e2e
