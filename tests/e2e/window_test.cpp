// The window as it opens, its layout at the display's DPI, and how it ends.
#include "check.h"
#include "suite.h"

namespace e2e {

void TestOpening(Suite &suite) {
  const Tamer &t = suite.tamer;
  Context("opening");
  const HWND owner = GetWindow(t.form, GW_OWNER);
  CHECK(owner != nullptr && !IsWindowVisible(owner));
  CHECK(GetWindowLongA(t.form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT outer;
  GetWindowRect(t.form, &outer);
  CHECK_EQ(0L, outer.left);
  CHECK_EQ(0L, outer.top);
  CHECK_EQ(0L, SendMessageA(t.list, LB_GETCOUNT, 0, 0));
  CHECK_EQ(std::string(), TextOf(t.target));
  const struct {
    HWND control;
    bool enabled;
  } states[] = {{t.list, true},      {t.locate, true},   {t.tasks, true},
                {t.minimize, false}, {t.restore, false}, {t.exit, true}};
  for (const auto &row : states)
    CHECK_EQ(row.enabled, IsWindowEnabled(row.control) != FALSE);
  CHECK(Focus(t) == t.list);
}

void TestLayout(Suite &suite) {
  const Tamer &t = suite.tamer;
  const auto px = [&](int twips) { return MulDiv(twips, suite.dpi, 1440); };
  Context("layout at " + std::to_string(suite.dpi) + " DPI");
  RECT client;
  GetClientRect(t.form, &client);
  CHECK_EQ(px(4740), static_cast<int>(client.right));
  CHECK_EQ(px(3696), static_cast<int>(client.bottom));
  // Left, top, width and height in twips, as the form was designed.
  const struct {
    HWND control;
    int left, top, width, height;
  } placements[] = {
      {t.label1, 120, 0, 2652, 252},     {t.list, 120, 240, 4572, 1968},
      {t.target, 120, 2280, 4572, 252},  {t.locate, 720, 2640, 3492, 252},
      {t.tasks, 720, 3000, 1812, 252},   {t.minimize, 2520, 3000, 1692, 252},
      {t.restore, 720, 3360, 1812, 252}, {t.exit, 2520, 3360, 1692, 252},
  };
  for (const auto &row : placements) {
    RECT r;
    GetWindowRect(row.control, &r);
    MapWindowPoints(nullptr, t.form, reinterpret_cast<POINT *>(&r), 2);
    const RECT designed = {px(row.left), px(row.top),
                           px(row.left) + px(row.width),
                           px(row.top) + px(row.height)};
    CHECK(EqualRect(&designed, &r));
  }
}

void TestEnding(Suite &suite) {
  Tamer &t = suite.tamer;
  for (const bool byExit : {true, false}) {
    Context(byExit ? "Exit with entries in the list" : "closing the window");
    if (!byExit && !CHECK(t.Start(suite.program)))
      return;
    const HWND form = t.form;
    const HWND owner = GetWindow(form, GW_OWNER);
    if (byExit) {
      CHECK(Press(t.tasks) && SendMessageA(t.list, LB_GETCOUNT, 0, 0) > 0);
      Press(t.exit, 1000); // no answer: the process ends inside the click
    } else {
      PostMessageA(form, WM_CLOSE, 0, 0);
    }
    CHECK(t.program.Ended(kSettleMs));
    CHECK(!IsWindow(form) && !IsWindow(owner));
  }
}

} // namespace e2e
