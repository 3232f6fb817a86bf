// The window as it opens: caption, owner, band, position, size, controls.
#include "check.h"
#include "suite.h"

namespace e2e {
namespace {

struct ControlState {
  const char *name;
  HWND Controls::*slot;
  bool enabled;
};

constexpr ControlState kInitial[] = {
    {"List1", &Controls::list, true},
    {"Locate Top Most Window", &Controls::locate, true},
    {"Get All Windows", &Controls::tasks, true},
    {"MiniMize", &Controls::minimize, false},
    {"Restore Size", &Controls::restore, false},
    {"Exit", &Controls::exit, true},
};

// Left, top, width and height in twips, from the form's design.
struct Placement {
  const char *name;
  HWND Controls::*slot;
  int left, top, width, height;
};

constexpr Placement kLayout[] = {
    {"Label1", &Controls::label1, 120, 0, 2652, 252},
    {"List1", &Controls::list, 120, 240, 4572, 1968},
    {"lblOPut", &Controls::target, 120, 2280, 4572, 252},
    {"Command2", &Controls::locate, 720, 2640, 3492, 252},
    {"cmdTasks", &Controls::tasks, 720, 3000, 1812, 252},
    {"Command1", &Controls::minimize, 2520, 3000, 1692, 252},
    {"Command5", &Controls::restore, 720, 3360, 1812, 252},
    {"Command3", &Controls::exit, 2520, 3360, 1692, 252},
};

int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

} // namespace

void TestInitialState(Suite &suite, Tamer &tamer) {
  (void)suite;
  SetContext("initial state");
  const HWND form = tamer.Form();
  CHECK_EQ(std::string(kCaption), ReadText(form));
  const HWND owner = GetWindow(form, GW_OWNER);
  CHECK_TRUE(owner != nullptr);
  CHECK_FALSE(IsWindowVisible(owner));
  const LONG ex_style = GetWindowLongA(form, GWL_EXSTYLE);
  CHECK_TRUE(ex_style & WS_EX_TOPMOST);
  CHECK_TRUE(ex_style & WS_EX_APPWINDOW);
  RECT outer;
  GetWindowRect(form, &outer);
  CHECK_EQ(0, outer.left);
  CHECK_EQ(0, outer.top);
  CHECK_TRUE(GetMenu(form) != nullptr);

  const Controls &c = tamer.Ctl();
  for (const ControlState &row : kInitial) {
    SetContext(std::string("initial state of ") + row.name);
    if (CHECK_TRUE(c.*row.slot != nullptr))
      CHECK_EQ(row.enabled, IsWindowEnabled(c.*row.slot) != FALSE);
  }
  SetContext("initial contents");
  CHECK_EQ(0, SendMessageW(c.list, LB_GETCOUNT, 0, 0));
  CHECK_EQ(std::string(""), ReadText(c.target));
  CHECK_EQ(std::string("Current Applications Runnig "), ReadText(c.label1));
  CHECK_TRUE(GetWindowLongA(c.target, GWL_STYLE) & SS_NOPREFIX);

  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(tamer.UiThreadId(), &gui);
  CHECK_EQ(c.list, gui.hwndFocus);
}

void TestLayout(Suite &suite, Tamer &tamer) {
  const int dpi = suite.dpi;
  SetContext("client size at " + std::to_string(dpi) + " DPI");
  const HWND form = tamer.Form();
  RECT client;
  GetClientRect(form, &client);
  CHECK_NEAR(Px(4740, dpi), client.right, 1);
  CHECK_NEAR(Px(3696, dpi), client.bottom, 1);
  for (const Placement &row : kLayout) {
    const HWND hwnd = tamer.Ctl().*row.slot;
    SetContext(std::string("placement of ") + row.name);
    if (!CHECK_TRUE(hwnd != nullptr))
      continue;
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT *>(&r), 2);
    CHECK_EQ(Px(row.left, dpi), r.left);
    CHECK_EQ(Px(row.top, dpi), r.top);
    CHECK_EQ(Px(row.width, dpi), r.right - r.left);
    CHECK_EQ(Px(row.height, dpi), r.bottom - r.top);
  }
}

} // namespace e2e
