// "Keep Off Top" by real right-clicks, against a banner that puts itself
// back on top every 100 ms, a window that vetoes it, a window that closes and
// a hung one. "Keep On Top", the same keeping the other way, is the rules'
// tests' (rules_test.cpp) and the marks' (rows_test.cpp).
#include "suite.h"

namespace e2e {

std::string MenuAt(const Tamer &t, HWND window) {
  return AtEntry(t.list, IndexOf(t, EntryOf(window))) + "click 3";
}

void TestKeepOffTop(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner");
  Context("Keep Off Top on a banner that comes back every 100 ms");
  CHECK(Send(banner, fixture::kReassert, 100) && Press(t.tasks));
  CHECK(OpenMenu(MenuAt(t, banner)) && Choose("k"));
  const OnTopSample kept = SampleOnTop(banner, 3000, t.form);
  CHECK(kept.answered);
  CHECK(kept.share <= 0.2);
  CHECK(kept.returnsMs.size() >= 20); // it did come back

  Context("Keep Off Top, checked, again lets it stay on top");
  // Its rows that show ink: MiniMize, Restore Size, Always on Top, Keep Off
  // Top, ...
  CHECK(OpenMenu(MenuAt(t, banner)) && Screenshot("keep-off-top-96") &&
        Checked(3) && Choose("k"));
  CHECK(WaitUntil([&] { return IsTopmost(banner); }));
  CHECK_EQ(1.0, SampleOnTop(banner, 500).share);

  Context("Always on Top on a kept window gives it back for good");
  CHECK(OpenMenu(MenuAt(t, banner)) && Choose("k"));
  CHECK(Send(banner, fixture::kReassert, 0));
  CHECK(WaitUntil([&] { return !IsTopmost(banner); }));
  CHECK(OpenMenu(MenuAt(t, banner)) && Choose("t"));
  CHECK(WaitUntil([&] { return IsTopmost(banner); }));
  CHECK_EQ(1.0, SampleOnTop(banner, 500).share);

  Context("a hung window is kept without freezing the program");
  const HWND hung = suite.Role("hung");
  CHECK(IsTopmost(hung) && // as the context menu's test left it

        SendMessageA(suite.roles.Window(), fixture::kFreeze, 0, 0));
  // A second menu opens at once: waiting on the window would block input.
  CHECK(OpenMenu(MenuAt(t, hung)) && Choose("k") && OpenMenu("key Menu") &&
        Choose("Escape"));
  CHECK(SampleOnTop(hung, 300, t.form).answered);
  SendMessageA(suite.roles.Window(), fixture::kThaw, 0, 0);
  CHECK(WaitUntil([&] { return !IsTopmost(hung); }));

  Context("a window that vetoes it: said once, asked ever less often");
  const HWND veto = suite.Role("veto");
  std::string notice;
  CHECK(Press(t.tasks) && OpenMenu(MenuAt(t, veto)) && Choose("k"));
  CHECK(WaitUntil([&] { return !(notice = NoticeText(t)).empty(); }, 3000));
  CHECK_EQ("The application of \"" + TextOf(veto) +
               "\" would not allow the change.",
           notice);
  CHECK(Xdo("key Escape") && WaitUntil([&] { return NoticeOf(t) == nullptr; }));
  const LONG_PTR asked = GetWindowLongPtrA(veto, GWLP_USERDATA);
  CHECK(!WaitUntil([&] { return NoticeOf(t) != nullptr; }, 2500));
  // Every check would have asked it 160 times.
  CHECK(GetWindowLongPtrA(veto, GWLP_USERDATA) - asked <= 3);
  CHECK(OpenMenu(MenuAt(t, veto)) && Choose("k"));

  Context("a kept window that closes is forgotten: its mark goes");
  const HWND doomed = suite.Role("twin2"); // "doomed" is the notices'
  CHECK(OpenMenu(MenuAt(t, doomed)) && Choose("k"));
  CHECK(ShowsMark(t, doomed, 'D'));
  const int row = IndexOf(t, EntryOf(doomed));
  PostMessageA(doomed, WM_CLOSE, 0, 0);
  // The program repaints the list once it has noticed.
  CHECK(WaitUntil([&] { return MarkIn(RowShown(t, row)) == ' '; }));
}

} // namespace e2e
