// Real input through the X server, for what only real input proves: that a
// click or a key reaches the control and does what the message path does.
// Also what only the screen shows: Command1's bold caption, and the check
// mark of the list's context menu. First, the test bed's own bridge to Unix
// commands, which carries that input.
#include "suite.h"

#include <algorithm>
#include <cstdlib>

namespace e2e {

std::string At(HWND hwnd, RECT rect) {
  if (IsRectEmpty(&rect))
    GetClientRect(hwnd, &rect);
  POINT p = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(hwnd, &p);
  return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " ";
}

std::string AtEntry(HWND list, int index) {
  SendMessageA(list, LB_SETTOPINDEX, index, 0);
  RECT item = {};
  SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  return At(list, item);
}

namespace {

// The handles this process holds, as their values.
std::vector<UINT_PTR> OpenHandles() {
  std::vector<UINT_PTR> open;
  for (UINT_PTR value = 4; value < 0x4000; value += 4)
    if (DWORD flags = 0;
        GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
      open.push_back(value);
  return open;
}

} // namespace

std::vector<LONG> Ink(HWND window, HFONT font) {
  RECT r = {};
  if (IsWindowVisible(window))
    GetWindowRect(window, &r);
  const SIZE size = {r.right - r.left, r.bottom - r.top};
  const Image image =
      font == nullptr ? Grab(r)
                      : Drawn(size, {0, 0, size.cx, size.cy}, font, L"MiniMize",
                              DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0,
                              GetSysColor(COLOR_BTNFACE));
  std::vector<LONG> ink;
  for (LONG y = 4; y < size.cy - 4; ++y)
    for (LONG x = 4; x < size.cx - 4; ++x) {
      const COLORREF c = image.At(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
        ink.push_back(y * 0x10000 + x);
    }
  return ink;
}

HWND Menu() { return FindWindowA("#32768", nullptr); }

bool OpenMenu(const std::string &xdo) {
  return Xdo(xdo) && WaitUntil([] { return !Ink(Menu()).empty(); });
}
bool Choose(const std::string &key) {
  return Xdo("key " + key) && WaitUntil([] { return Ink(Menu()).empty(); });
}

// From work folders of every length, the commands must run, and starting them
// must leave every handle of this process open, whatever the path does to
// the command line.
void TestUnixBridge(Suite &) {
  Context("Unix commands from work folders of every length");
  const std::string workDir = WorkDir();
  // A space and a quote in every folder, as a user's clone may have.
  std::string failed, folder = workDir + "/it's ";
  bool ran = true; // a bridge that cannot run one command runs none
  for (int extra = 1; extra <= 80 && ran; ++extra) {
    folder += 'b';
    CreateDirectoryA(("Z:" + folder).c_str(), nullptr);
    SetWorkDir(folder);
    const std::vector<UINT_PTR> before = OpenHandles();
    ran = RunUnix("true");
    const std::vector<UINT_PTR> after = OpenHandles();
    // Wine keeps a handle to each Unix program it starts: new ones may come.
    if (!ran || !std::includes(after.begin(), after.end(), before.begin(),
                               before.end()))
      failed += " " + std::to_string(folder.size());
    RemoveDirectoryA(("Z:" + folder).c_str());
  }
  SetWorkDir(workDir);
  CHECK_EQ(std::string(), failed); // the lengths that failed
}

void TestRealInput(Suite &suite) {
  const Tamer &t = suite.tamer;
  Context("a click on Get All Windows");
  SendMessageA(t.list, LB_RESETCONTENT, 0, 0);
  CHECK(Xdo(At(t.tasks) + "click 1"));
  CHECK(WaitUntil([&] { return SendMessageA(t.list, LB_GETCOUNT, 0, 0) > 0; }));
  Screenshot("filled-" + std::to_string(suite.dpi));

  Context("a click on an entry, then the arrow keys");
  const std::vector<std::string> entries = EntriesOf(t.list);
  const int index = IndexOf(t, suite.Entry("ordinary"));
  if (CHECK(index >= 0 && index + 1 < static_cast<int>(entries.size()))) {
    CHECK(Xdo(AtEntry(t.list, index) + "click 1"));
    CHECK(WaitUntil([&] { return TextOf(t.target) == entries[index]; }));
    CHECK(Xdo("key Down"));
    CHECK(WaitUntil([&] { return TextOf(t.target) == entries[index + 1]; }));
  }

  Context("Tab walks the controls in their order");
  for (HWND next : {t.minimize, t.tasks, t.exit, t.restore, t.locate, t.list})
    CHECK(Xdo("key Tab") && WaitUntil([&] { return Focus(t) == next; }));

  Context("MiniMize's caption is MS Sans Serif bold, 7.8 points");
  const HFONT bold = CreateFontA(-MulDiv(78, suite.dpi, 720), 0, 0, 0, FW_BOLD,
                                 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
  const std::vector<LONG> shown = Ink(t.minimize),
                          drawn = Ink(t.minimize, bold);
  CHECK(!drawn.empty() && shown == drawn);
  DeleteObject(bold);

  Context("a double-click on an entry minimises its window");
  const HWND twin = suite.Role("twin1");
  const int twinIndex = IndexOf(t, suite.Entry("twin1"));
  if (CHECK(twinIndex >= 0)) {
    CHECK(Xdo(AtEntry(t.list, twinIndex) + "click --repeat 2 --delay 80 1"));
    CHECK(BecomesIconic(twin, true));
    CHECK_EQ(suite.Entry("twin1"), TextOf(t.target));
    CHECK(Press(t.restore) && BecomesIconic(twin, false));
  }

  Context("Alt+I shows the information and changes nothing");
  const std::vector<std::string> before = EntriesOf(t.list);
  const std::string target = TextOf(t.target);
  HWND box = nullptr;
  // Restore Size activated the twin: the program gets the keyboard back.
  CHECK(Xdo(At(t.label1) + "click 1 key alt+i"));
  if (CHECK(WaitUntil([&] {
        return (box = FindWindowA("#32770", "Topmost Tamer")) != nullptr;
      }))) {
    Screenshot("info-" + std::to_string(suite.dpi));
    CHECK(FindWindowExA(box, nullptr, "Static",
                        "Minimize the Ad Banner... then move it out of the "
                        "way.") != nullptr);
    const HWND ok = FindWindowExA(box, nullptr, "Button", nullptr);
    const HWND more = FindWindowExA(box, ok, "Button", nullptr);
    CHECK_EQ(std::string("OK"), TextOf(ok));
    CHECK(more == nullptr || !IsWindowVisible(more));
    CHECK(Xdo("key Return") && WaitUntil([&] { return !IsWindow(box); }));
  }
  CHECK_LIST(before, EntriesOf(t.list));
  CHECK_EQ(target, TextOf(t.target));
}

void TestContextMenu(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner");
  Context("a right-click on the banner's entry, then Escape");
  const std::string rightClick = AtEntry(t.list, 0) + "click 3";
  CHECK(Press(t.locate) && OpenMenu(rightClick));
  const std::vector<LONG> checked = Ink(Menu());
  CHECK_EQ(suite.Entry("banner"), TextOf(t.target));
  Screenshot("menu-" + std::to_string(suite.dpi));
  CHECK(Choose("Escape") && IsTopmost(banner));

  Context("nothing below the last entry; Shift+F10 beside the selected one");
  RECT item, shown = {};
  SendMessageA(t.list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  CHECK(OpenMenu(At(t.list, {0, item.bottom, item.right, item.bottom * 2}) +
                 "click 3 key shift+F10"));
  GetWindowRect(Menu(), &shown);
  MapWindowPoints(nullptr, t.list, reinterpret_cast<POINT *>(&shown), 2);
  CHECK(shown.left == item.left && shown.top == item.bottom);

  Context("Always on Top takes the state away, a second time gives it back");
  CHECK(Choose("t") && WaitUntil([&] { return !IsTopmost(banner); }));
  CHECK(OpenMenu(rightClick));
  const std::vector<LONG> unchecked = Ink(Menu());
  CHECK(Choose("t") && WaitUntil([&] { return IsTopmost(banner); }));
  CHECK(IsTopmost(t.form));
  // The checked menu shows all of the other's ink, and more: a mark in the
  // row of "Always on Top", in the margin left of the text. Two items and a
  // separator above it, four items and a separator from it down: its middle
  // is half a row above the menu's.
  CHECK(checked.size() > unchecked.size() &&
        std::includes(checked.begin(), checked.end(), unchecked.begin(),
                      unchecked.end()));
  CHECK(std::all_of(checked.begin(), checked.end(), [&](LONG p) {
    return std::binary_search(unchecked.begin(), unchecked.end(), p) ||
           (std::abs(p / 0x10000 -
                     (shown.bottom - shown.top - GetSystemMetrics(SM_CYMENU)) /
                         2) < GetSystemMetrics(SM_CYMENU) / 2 &&
            p % 0x10000 < 2 * GetSystemMetrics(SM_CXMENUCHECK));
  }));

  Context("a hung target's state changes while it hangs; no waiting on it");
  const HWND hung = suite.Role("hung");
  CHECK(Press(t.tasks) &&
        SendMessageA(suite.roles.Window(), fixture::kFreeze, 0, 0));
  // A second menu opens at once: waiting on the target would block input.
  CHECK(
      OpenMenu(AtEntry(t.list, IndexOf(t, suite.Entry("hung"))) + "click 3") &&
      Choose("t") && OpenMenu("key Menu") && Choose("Escape"));
  SendMessageA(suite.roles.Window(), fixture::kThaw, 0, 0);
  CHECK(WaitUntil([&] { return IsTopmost(hung); }));

  Context("MiniMize and Restore Size from the menu, by the Menu key");
  CHECK(OpenMenu("key Menu") && Choose("m") && BecomesIconic(hung, true));
  CHECK(OpenMenu("key Menu") && Choose("r") && BecomesIconic(hung, false));
}

} // namespace e2e
