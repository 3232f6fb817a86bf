// Real input through the X server, for what only real input proves: that a
// click or a key reaches the control and does what the message path does.
// Also what only the screen shows: Command1's bold caption.
#include "check.h"
#include "suite.h"
#include "unix.h"

#include <algorithm>

namespace e2e {
namespace {

// "mousemove X Y " to the middle of `rect`, in screen coordinates of `hwnd`.
std::string At(HWND hwnd, RECT rect) {
  POINT p = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(hwnd, &p);
  return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " ";
}

std::string At(HWND control) {
  RECT r;
  GetClientRect(control, &r);
  return At(control, r);
}

std::string AtEntry(HWND list, int index) {
  SendMessageA(list, LB_SETTOPINDEX, index, 0);
  RECT item = {};
  SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  return At(list, item);
}

// The dark pixels of `button`'s caption as the screen shows it (no font),
// or of "MiniMize" drawn here in `font`, from the top-left of their ink.
std::vector<POINT> Ink(HWND button, HFONT font) {
  RECT r;
  GetWindowRect(button, &r);
  RECT box = {0, 0, r.right - r.left, r.bottom - r.top};
  const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, box.right, box.bottom);
  SelectObject(dc, bitmap);
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  if (font == nullptr)
    BitBlt(dc, 0, 0, box.right, box.bottom, screen, r.left, r.top, SRCCOPY);
  SelectObject(dc, font);
  DrawTextA(dc, font ? "MiniMize" : "", -1, &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  std::vector<POINT> ink;
  for (int y = 4; y < box.bottom - 4; ++y) // inside the button's frame
    for (int x = 4; x < box.right - 4; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
        ink.push_back({x, y});
    }
  LONG left = box.right;
  for (const POINT &p : ink)
    left = std::min(left, p.x);
  for (POINT &p : ink) // in rows from the top: the first is the topmost
    p = {p.x - left, p.y - ink.front().y};
  DeleteDC(dc);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return ink;
}

} // namespace

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
  const std::vector<POINT> shown = Ink(t.minimize, nullptr);
  const std::vector<POINT> drawn = Ink(t.minimize, bold);
  CHECK(!drawn.empty() && shown.size() == drawn.size() &&
        std::equal(shown.begin(), shown.end(), drawn.begin(),
                   [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; }));
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

} // namespace e2e
