// "Keep Off Top" by real right-clicks, against a banner that puts itself
// back on top every 100 ms, a window that closes and a hung one; and the
// marks in the list's rows, as the screen shows them.
#include "suite.h"

#include "resource.h"

#include <algorithm>

namespace e2e {
namespace {

// The mark in row `index` of the list as the screen shows it: 'U' an arrow
// up, 'K' an arrow up under a bar, 'D' an arrow down, ' ' none, '?' anything
// else. The mark's cell is the square at the row's left, less a pixel for
// the focus rectangle.
char MarkShown(const Tamer &t, int index) {
  RECT row = {};
  SendMessageA(t.list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row));
  MapWindowPoints(t.list, nullptr, reinterpret_cast<POINT *>(&row), 2);
  const int side = row.bottom - row.top;
  const HDC screen = GetDC(nullptr);
  const COLORREF background = GetPixel(screen, row.left + 1, row.top + 1);
  std::vector<int> widths; // of the ink in each line that has some
  for (int y = 1; y < side - 1; ++y) {
    int width = 0;
    for (int x = 1; x < side - 1; ++x)
      width += GetPixel(screen, row.left + x, row.top + y) != background;
    if (width > 0)
      widths.push_back(width);
  }
  ReleaseDC(nullptr, screen);
  if (widths.empty())
    return ' ';
  // A bar: lines of one width above a narrower tip that widens downwards.
  std::size_t bar = 0;
  while (bar < widths.size() && widths[bar] == widths.front())
    ++bar;
  if (bar + 1 < widths.size() && widths[bar] < widths.front() &&
      widths[bar] < widths.back())
    return 'K';
  if (widths.size() < 2 || widths.front() == widths.back())
    return '?';
  return widths.front() < widths.back() ? 'U' : 'D';
}

} // namespace

char MarkOf(const Tamer &t, HWND window) {
  const int index = IndexOf(t, EntryOf(window));
  if (index < 0)
    return '-';
  SendMessageA(t.list, LB_SETTOPINDEX, index, 0);
  UpdateWindow(t.list);
  Answers(t.form);
  return MarkShown(t, index);
}

std::string MenuAt(const Tamer &t, HWND window) {
  return AtEntry(t.list, IndexOf(t, EntryOf(window))) + "click 3";
}

double Longest(const std::vector<double> &ms) {
  return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
}

void TestMarks(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner"), ordinary = suite.Role("ordinary");
  const std::string dpi = std::to_string(suite.dpi);
  // The target, the banner, kept off top, then on top; and screenshots.
  const auto kept = [&](const std::string &shot) {
    CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop) &&
          WaitUntil([&] { return !IsTopmost(banner); }));
    CHECK_EQ('D', MarkOf(t, banner));
    CHECK(shot.empty() || Screenshot("marks-kept-" + shot));
    CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOnTop) &&
          WaitUntil([&] { return IsTopmost(banner); }));
    CHECK_EQ('K', MarkOf(t, banner));
    CHECK(shot.empty() || Screenshot("marks-kept-on-top-" + shot));
  };
  Context("marks at " + dpi + " DPI");
  CHECK(Press(t.tasks));
  CHECK_EQ('U', MarkOf(t, banner));
  CHECK_EQ(' ', MarkOf(t, ordinary));
  Screenshot("marks-" + dpi);
  CHECK(Target(t, banner));
  kept(dpi);

  // Rows and marks grow with the DPI.
  const LRESULT height = SendMessageA(t.list, LB_GETITEMHEIGHT, 0, 0);
  for (const int to : {suite.dpi * 3 / 2, suite.dpi}) {
    Context("marks after a change to " + std::to_string(to) + " DPI");
    CHECK(ChangeDpi(t, to));
    // Fonts do not scale in proportion: taller, then as before.
    const LRESULT now = SendMessageA(t.list, LB_GETITEMHEIGHT, 0, 0);
    CHECK(to == suite.dpi ? now == height : now > height);
    kept("");
  }
  Context("marks at " + dpi + " DPI, kept no more");
  CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOnTop));
  CHECK_EQ('U', MarkOf(t, banner));
}

void TestKeepOffTop(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner");
  const auto menuAt = [&](HWND window) { return MenuAt(t, window); };
  Context("Keep Off Top on a banner that comes back every 100 ms");
  CHECK(Send(banner, fixture::kReassert, 100) && Press(t.tasks));
  CHECK(OpenMenu(menuAt(banner)) && Choose("k"));
  const OnTopSample kept = SampleOnTop(banner, 3000, t.form);
  CHECK(kept.answered);
  CHECK(kept.share <= 0.2);
  CHECK(kept.returnsMs.size() >= 20); // it did come back

  Context("Keep Off Top again lets it stay on top");
  CHECK(OpenMenu(menuAt(banner)) && Screenshot("keep-off-top-96") &&
        Choose("k"));
  CHECK(WaitUntil([&] { return IsTopmost(banner); }));
  CHECK_EQ(1.0, SampleOnTop(banner, 500).share);

  Context("Always on Top on a kept window gives it back for good");
  CHECK(OpenMenu(menuAt(banner)) && Choose("k"));
  CHECK(Send(banner, fixture::kReassert, 0));
  CHECK(WaitUntil([&] { return !IsTopmost(banner); }));
  CHECK(OpenMenu(menuAt(banner)) && Choose("t"));
  CHECK(WaitUntil([&] { return IsTopmost(banner); }));
  CHECK_EQ(1.0, SampleOnTop(banner, 500).share);

  Context("a hung window is kept without freezing the program");
  const HWND hung = suite.Role("hung");
  CHECK(IsTopmost(hung) && // as the context menu's test left it

        SendMessageA(suite.roles.Window(), fixture::kFreeze, 0, 0));
  // A second menu opens at once: waiting on the window would block input.
  CHECK(OpenMenu(menuAt(hung)) && Choose("k") && OpenMenu("key Menu") &&
        Choose("Escape"));
  CHECK(SampleOnTop(hung, 300, t.form).answered);
  SendMessageA(suite.roles.Window(), fixture::kThaw, 0, 0);
  CHECK(WaitUntil([&] { return !IsTopmost(hung); }));

  Context("a window that vetoes it: said once, asked ever less often");
  const HWND veto = suite.Role("veto");
  std::string notice;
  CHECK(Press(t.tasks) && OpenMenu(menuAt(veto)) && Choose("k"));
  CHECK(WaitUntil([&] { return !(notice = NoticeText(t)).empty(); }, 3000));
  CHECK_EQ("The application of \"" + TextOf(veto) +
               "\" would not allow the change.",
           notice);
  CHECK(Xdo("key Escape") && WaitUntil([&] { return NoticeOf(t) == nullptr; }));
  const LONG_PTR asked = GetWindowLongPtrA(veto, GWLP_USERDATA);
  CHECK(!WaitUntil([&] { return NoticeOf(t) != nullptr; }, 2500));
  // Every check would have asked it 160 times.
  CHECK(GetWindowLongPtrA(veto, GWLP_USERDATA) - asked <= 3);
  CHECK(OpenMenu(menuAt(veto)) && Choose("k"));

  Context("a kept window that closes is forgotten: its mark goes");
  const HWND doomed = suite.Role("twin2"); // "doomed" is the notices'
  CHECK(OpenMenu(menuAt(doomed)) && Choose("k"));
  CHECK_EQ('D', MarkOf(t, doomed));
  const int row = IndexOf(t, EntryOf(doomed));
  PostMessageA(doomed, WM_CLOSE, 0, 0);
  // The program repaints the list once it has noticed.
  CHECK(WaitUntil([&] { return MarkShown(t, row) == ' '; }));
}

void TestKeepOnTop(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND window = suite.Role("digits");
  Context("Keep On Top on a window that drops the state every 100 ms");
  CHECK(!IsTopmost(window) && Press(t.tasks));
  CHECK(OpenMenu(MenuAt(t, window)) && Choose("n"));
  CHECK(WaitUntil([&] { return IsTopmost(window); }));
  CHECK(Send(window, fixture::kDrop, 100));
  const OnTopSample kept = SampleOnTop(window, 3000, t.form);
  CHECK(kept.answered);
  CHECK(kept.dropsMs.size() >= 20); // it did drop
  CHECK(Longest(kept.dropsMs) <= 250);

  Context("Keep Off Top turns it round; chosen again, the keeping ends");
  CHECK(OpenMenu(MenuAt(t, window)) && Choose("k"));
  CHECK(WaitUntil([&] { return !IsTopmost(window); }));
  CHECK_EQ('D', MarkOf(t, window));
  CHECK(Send(window, fixture::kDrop, 0) &&
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  CHECK(WaitUntil([&] { return !IsTopmost(window); }));
  CHECK(OpenMenu(MenuAt(t, window)) && Choose("k"));
  CHECK(SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  CHECK_EQ(0.0, SampleOnTop(window, 500).share);
  CHECK_EQ(' ', MarkOf(t, window));
}

} // namespace e2e
