// Real input through the X server, for what only real input proves: that a
// click or a key reaches the control and does what the message path does.
// Also what only the screen shows: Command1's bold caption, and the check
// mark of the list's context menu. First, the readers of ink on the screen
// that the menus' tests share.
#include "suite.h"

#include <algorithm>

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

std::vector<LONG> Dark(const Image &image) {
  std::vector<LONG> ink;
  for (LONG y = 0; y < image.height; ++y)
    for (LONG x = 0; x < image.width; ++x) {
      const COLORREF c = image.At(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
        ink.push_back(y * 0x10000 + x);
    }
  return ink;
}

std::vector<LONG> Ink(HWND window) {
  RECT r = {};
  if (IsWindowVisible(window)) {
    GetWindowRect(window, &r);
    InflateRect(&r, -4, -4);
  }
  return Dark(Grab(r));
}

std::vector<RECT> Bands(std::vector<LONG> ink, bool rows, int gap) {
  const auto along = [rows](LONG p) {
    return rows ? p / 0x10000 : p % 0x10000;
  };
  std::stable_sort(ink.begin(), ink.end(),
                   [&](LONG a, LONG b) { return along(a) < along(b); });
  std::vector<RECT> bands;
  for (const LONG p : ink) {
    const LONG y = p / 0x10000, x = p % 0x10000;
    if (bands.empty() ||
        along(p) - (rows ? bands.back().bottom : bands.back().right) > gap)
      bands.push_back({x, y, x, y});
    RECT &b = bands.back();
    b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x),
         std::max(b.bottom, y)};
  }
  return bands;
}

HWND Menu() { return FindWindowA("#32768", nullptr); }

bool OpenMenu(const std::string &xdo) {
  return Xdo(xdo) && WaitUntil([] { return !Ink(Menu()).empty(); });
}
bool Choose(const std::string &key) {
  return Xdo("key " + key) && WaitUntil([] { return Ink(Menu()).empty(); });
}

std::vector<MenuRow> MenuRows() {
  RECT menu = {};
  GetWindowRect(Menu(), &menu);
  const std::vector<RECT> bands = Bands(Ink(Menu()), true, 3);
  std::vector<MenuRow> rows;
  for (const RECT &b : bands)
    rows.push_back({{menu.left + 4 + (b.left + b.right) / 2,
                     menu.top + 4 + (b.top + b.bottom) / 2},
                    b.left + 4 < bands.front().left});
  return rows;
}
bool Checked(std::size_t row) {
  const std::vector<MenuRow> rows = MenuRows();
  return row < rows.size() && rows[row].checked;
}
bool ChooseRow(std::size_t row) {
  const std::vector<MenuRow> rows = MenuRows();
  return row < rows.size() &&
         Xdo("mousemove " + std::to_string(rows[row].middle.x) + " " +
             std::to_string(rows[row].middle.y) + " click 1") &&
         WaitUntil([] { return Menu() == nullptr; });
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
  RECT face;
  GetWindowRect(t.minimize, &face);
  const SIZE size = {face.right - face.left - 8, face.bottom - face.top - 8};
  const std::vector<LONG> drawn = Dark(Drawn(
      size, {-4, -4, size.cx + 4, size.cy + 4}, bold, L"MiniMize",
      DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, GetSysColor(COLOR_BTNFACE)));
  CHECK(!drawn.empty() && Ink(t.minimize) == drawn);
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
    // One button: OK.
    const HWND ok = FindWindowExA(box, nullptr, "Button", nullptr);
    CHECK_EQ(std::string("OK"), TextOf(ok));
    CHECK(!IsWindowVisible(FindWindowExA(box, ok, "Button", nullptr)));
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
  // Its rows that show ink: MiniMize, Restore Size, Always on Top, ...
  constexpr std::size_t kAlwaysOnTop = 2;
  CHECK(Press(t.locate) && OpenMenu(rightClick) && Checked(kAlwaysOnTop));
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
  CHECK(OpenMenu(rightClick) && !Checked(kAlwaysOnTop));
  CHECK(Choose("t") && WaitUntil([&] { return IsTopmost(banner); }));
  CHECK(IsTopmost(t.form));

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
