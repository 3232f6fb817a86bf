// Real input through the X server: what only a real click or key proves is
// that it reaches the control and raises the same command as the message path.
#include "check.h"
#include "suite.h"
#include "unix_side.h"
#include "wait.h"

namespace e2e {
namespace {

POINT CentreOnScreen(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Screen point in the middle of list entry `index`, scrolled into view.
POINT EntryOnScreen(HWND list, int index) {
  SendMessageW(list, LB_SETTOPINDEX, index, 0);
  RECT item = {};
  SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  POINT p = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(list, &p);
  return p;
}

std::string MoveTo(POINT p) {
  return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y);
}

bool ListFilled(HWND list) { return SendMessageW(list, LB_GETCOUNT, 0, 0) > 0; }

} // namespace

void TestRealInput(Suite &suite, Tamer &tamer) {
  const Controls &c = tamer.Ctl();
  const Fixture &fixture = suite.fixture;

  SetContext("mouse click on Get All Windows");
  SendMessageW(c.list, LB_RESETCONTENT, 0, 0);
  CHECK_TRUE(Xdo(MoveTo(CentreOnScreen(c.tasks)) + " click 1"));
  WaitUntil([&] { return ListFilled(c.list); });
  CHECK_TRUE(FixtureEntriesOf(ReadList(c.list), fixture) ==
             ExpectedFixtureEntries(fixture));

  SetContext("mouse click on an entry");
  const std::string ordinary = RoleEntry(fixture, "ordinary");
  const int index = IndexOfEntry(tamer, ordinary);
  if (CHECK_TRUE(index >= 0)) {
    CHECK_TRUE(Xdo(MoveTo(EntryOnScreen(c.list, index)) + " click 1"));
    WaitUntil([&] { return ReadText(c.target) == ordinary; });
    CHECK_EQ(ordinary, ReadText(c.target));
    CHECK_EQ(index, SendMessageW(c.list, LB_GETCURSEL, 0, 0));
  }

  SetContext("arrow keys move the selection and the target");
  const std::vector<std::string> entries = ReadList(c.list);
  if (index >= 0 && index + 1 < static_cast<int>(entries.size())) {
    CHECK_TRUE(Xdo("key Down"));
    WaitUntil([&] { return ReadText(c.target) == entries[index + 1]; });
    CHECK_EQ(entries[index + 1], ReadText(c.target));
    CHECK_TRUE(Xdo("key Up"));
    WaitUntil([&] { return ReadText(c.target) == ordinary; });
    CHECK_EQ(ordinary, ReadText(c.target));
  }

  SetContext("mouse double-click on an entry");
  const HWND twin = fixture.Window("twin1");
  const std::string twin_entry = RoleEntry(fixture, "twin1");
  const int twin_index = IndexOfEntry(tamer, twin_entry);
  if (CHECK_TRUE(twin_index >= 0)) {
    CHECK_TRUE(Xdo(MoveTo(EntryOnScreen(c.list, twin_index)) +
                   " click --repeat 2 --delay 80 1"));
    WaitUntil([&] { return IsIconic(twin) != FALSE; });
    CHECK_TRUE(IsIconic(twin));
    CHECK_EQ(twin_entry, ReadText(c.target));
    CHECK_TRUE(Xdo(MoveTo(CentreOnScreen(c.restore)) + " click 1"));
    WaitUntil([&] { return IsIconic(twin) == FALSE; });
    CHECK_FALSE(IsIconic(twin));
  }

  SetContext("Alt+I opens the information message");
  const Snapshot before = Take(tamer);
  CHECK_TRUE(Xdo(MoveTo(CentreOnScreen(c.label1)) + " click 1 key alt+i"));
  const MessageBoxSeen seen = AwaitInfoMessage(tamer);
  if (seen.dialog != nullptr) {
    Screenshot(std::to_string(suite.dpi) + "-info");
    CHECK_TRUE(Xdo("key Return"));
    CheckInfoGone(tamer, seen);
  }
  SetContext("Alt+I leaves everything as it was");
  CheckUnchanged(before, tamer);
}

} // namespace e2e
