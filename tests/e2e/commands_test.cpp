// The program through the message path: the window as it opens, its layout
// at the display's DPI and after a change of DPI, the list commands (fill,
// narrow, pick a target, minimise and restore it, also when its application
// hangs), and DLLs planted for it. How it ends: by Exit, the rules' tests
// (rules_test.cpp); by closing its window, the restart as administrator's
// (notice_test.cpp).
#include "suite.h"

#include "resource.h"

namespace e2e {
void TestFillAndLocate(Suite &suite) {
  const Tamer &t = suite.tamer;
  // That they leave the target alone is TestTargets'.
  for (const char *fill : {"Get All Windows", "Get All Windows again"}) {
    Context(fill);
    CHECK(Press(t.tasks));
    CHECK_LIST(ExpectedEntries(), EntriesOf(t.list));
  }

  Context("Locate Top Most Window, passing over a cloaked window");
  CHECK(Press(t.locate));
  CHECK_EQ(suite.Entry("cloaked"), ExpectedEntries(false).front());
  const std::vector<std::string> expected = ExpectedEntries();
  CHECK_EQ(suite.Entry("banner"), expected.front());
  CHECK_LIST(std::vector<std::string>{expected.front()}, EntriesOf(t.list));
  CHECK_EQ(LB_ERR, SendMessageA(t.list, LB_GETCURSEL, 0, 0));
}

// The test bed plants every DLL that the program loads while it runs beside
// a copy of it and in another folder (scripts/winebed.sh, winebed_plant), as
// a downloads folder may hold them: only the system's own may load. A
// planted one marks that it was loaded and, as dwmapi.dll, cloaks every
// window.
void TestPlantedDlls(Suite &suite) {
  Context("DLLs planted beside the program and in its current folder");
  const std::string folder = "Z:" + WorkDir() + "/planted";
  // One copy at a time: the suite's own makes way meanwhile.
  suite.tamer.program.Stop();
  Tamer t;
  if (CHECK(t.Start(folder + "/TopmostTamer (1).exe",
                    (folder + "/current").c_str())) &&
      CHECK(Press(t.tasks))) {
    // A notice, which brings in what it needs when first shown.
    CHECK(Target(t, suite.Role("veto")) &&
          Send(t.form, WM_COMMAND, IDM_mnuAlwaysOnTop) &&
          WaitUntil([&] { return NoticeOf(t) != nullptr; }));
  }
  CHECK(OpenMutexA(SYNCHRONIZE, FALSE, fixture::kPlantedMark) == nullptr);
  t.program.Stop();
  CHECK(suite.tamer.Start(suite.program));
}

void TestTargets(Suite &suite) {
  const Tamer &t = suite.tamer;
  // Titles that could be mistaken for an entry's other parts, a duplicate,
  // titles cut at 255 bytes, and titles in other scripts.
  for (const char *role :
       {"ordinary", "amp", "trailing", "digits", "twin2", "long", "allbytes",
        "scripts", "rtl", "emoji300", "cjk300"}) {
    Context(std::string("target ") + role);
    const HWND window = suite.Role(role);
    RECT before, after;
    GetWindowRect(window, &before);
    if (!CHECK(Target(t, window)))
      continue;
    CHECK_EQ(suite.Entry(role), TextOf(t.target));
    CHECK(Press(t.minimize) && BecomesIconic(window, true));
    CHECK_EQ(1, suite.Iconic()); // the target's window and no other
    CHECK(Press(t.restore) && BecomesIconic(window, false));
    // Restoring a window that is neither minimised nor maximised keeps it.
    CHECK(Press(t.restore) && Answers(window));
    GetWindowRect(window, &after);
    CHECK(EqualRect(&before, &after));
  }

  Context("the target survives refilling and narrowing");
  const HWND ordinary = suite.Role("ordinary");
  if (CHECK(Target(t, ordinary)) && CHECK(Press(t.tasks)) &&
      CHECK(Press(t.locate))) {
    CHECK(Press(t.minimize) && BecomesIconic(ordinary, true));
    CHECK(Press(t.restore) && BecomesIconic(ordinary, false));
  }
}

void TestHung(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND hung = suite.Role("hung");
  Context("target a hung window");
  if (!CHECK(Target(t, hung)))
    return;
  // Restore Size then MiniMize, and the other way round: each round ends in
  // the other state than the one before, so a command that never arrives
  // cannot pass; the last command of a round wins.
  for (const bool iconic : {true, false}) {
    CHECK(SendMessageA(suite.roles.Window(), fixture::kFreeze, 0, 0));
    CHECK(Press(iconic ? t.restore : t.minimize, 1000) &&
          Press(iconic ? t.minimize : t.restore, 1000));
    SendMessageA(suite.roles.Window(), fixture::kThaw, 0, 0);
    CHECK(BecomesIconic(hung, iconic));
  }
}

void CheckLayout(const Tamer &t, int dpi) {
  RECT client;
  GetClientRect(t.form, &client);
  CHECK_EQ(Pixels(kClientTwips.cx, dpi), static_cast<int>(client.right));
  CHECK_EQ(Pixels(kClientTwips.cy, dpi), static_cast<int>(client.bottom));
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
    const int left = Pixels(row.left, dpi), top = Pixels(row.top, dpi);
    const RECT designed = {left, top, left + Pixels(row.width, dpi),
                           top + Pixels(row.height, dpi)};
    CHECK(EqualRect(&designed, &r));
  }
}

void TestOpening(Suite &suite) {
  const Tamer &t = suite.tamer;
  Context("opening");
  const HWND owner = GetWindow(t.form, GW_OWNER);
  CHECK(owner != nullptr && !IsWindowVisible(owner));
  CHECK(GetWindowLongA(t.form, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT outer;
  GetWindowRect(t.form, &outer);
  CHECK(outer.left == 0 && outer.top == 0);
  CHECK_EQ(0L, SendMessageA(t.list, LB_GETCOUNT, 0, 0));
  CHECK_EQ(std::string(), TextOf(t.target));
  // Without a target; with one, Tab reaches them (TestRealInput).
  CHECK(!IsWindowEnabled(t.minimize) && !IsWindowEnabled(t.restore));
  CHECK(Focus(t) == t.list);

  Context("layout at " + std::to_string(suite.dpi) + " DPI");
  CheckLayout(t, suite.dpi); // and after a change of DPI: TestRows
}

} // namespace e2e
