// The notification-area icon, in a real tray, by real input: its tip, a
// click that shows the form, its menu and what each item does, hiding when
// minimised, the start at sign-in as the registry holds it and as Windows
// runs it, one copy at a time, and the icon back for a new taskbar.
#include "suite.h"

#include "resource.h"

#include <shellapi.h>

#include <algorithm>

namespace e2e {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Topmost Tamer";
// The menu's items, top to bottom.
enum Row { kShow, kStartAtSignIn, kHideWhenMinimized, kExit, kRows };

// The program's icon, the only one in the tray, once it is there.
HWND Icon() {
  std::vector<HWND> icons;
  WaitUntil([&] { return (icons = TrayIcons()).size() == 1; });
  return icons.size() == 1 ? icons.front() : nullptr;
}

bool OpenIconMenu() { return OpenMenu(At(Icon()) + "click 3"); }

// The open menu's items, read off the screen: the middle of each one's
// ink, on the screen, and whether a check mark shows left of where the first
// one's text starts. Ink less than kGap rows apart is one item's.
struct MenuRow {
  POINT middle;
  bool checked;
};
std::vector<MenuRow> MenuRows() {
  constexpr LONG kGap = 3, kMark = 4;
  struct Band {
    LONG top, bottom, left, right;
  };
  std::vector<Band> bands;
  const HWND menu = Menu();
  for (const LONG p : Ink(menu)) {
    const LONG y = p / 0x10000, x = p % 0x10000;
    if (bands.empty() || y - bands.back().bottom > kGap)
      bands.push_back({y, y, x, x});
    Band &band = bands.back();
    band.bottom = y;
    band.left = std::min(band.left, x);
    band.right = std::max(band.right, x);
  }
  RECT r = {};
  GetWindowRect(menu, &r);
  std::vector<MenuRow> rows;
  for (const Band &band : bands)
    rows.push_back({{r.left + (band.left + band.right) / 2,
                     r.top + (band.top + band.bottom) / 2},
                    band.left + kMark < bands.front().left});
  return rows;
}

// The check marks of the open menu's items.
std::vector<bool> Marks() {
  std::vector<bool> marks;
  for (const MenuRow &row : MenuRows())
    marks.push_back(row.checked);
  return marks;
}

// A click on item `row` of the open menu; true once the menu has closed.
bool ChooseRow(Row row) {
  const std::vector<MenuRow> rows = MenuRows();
  return rows.size() == kRows &&
         Xdo("mousemove " + std::to_string(rows[row].middle.x) + " " +
             std::to_string(rows[row].middle.y) + " click 1") &&
         WaitUntil([] { return Menu() == nullptr; });
}

// The value that starts the program at sign-in, or "(none)".
std::string RunValue() {
  char value[2048] = "";
  DWORD size = sizeof value;
  return RegGetValueA(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ,
                      nullptr, value, &size) == ERROR_SUCCESS
             ? value
             : "(none)";
}
void SetRunValue(const std::string &value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, value.c_str(),
                  static_cast<DWORD>(value.size() + 1));
}

// The windows of `form`'s process that the shell gives a taskbar button:
// visible top-level windows that are unowned or ask for one, and are no
// tool windows.
int TaskbarButtons(HWND form) {
  const DWORD process = [&] {
    DWORD id = 0;
    GetWindowThreadProcessId(form, &id);
    return id;
  }();
  int buttons = 0;
  for (HWND w = GetTopWindow(nullptr); w != nullptr;
       w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    const LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
    GetWindowThreadProcessId(w, &owner);
    buttons +=
        owner == process && IsWindowVisible(w) &&
        ((ex & WS_EX_APPWINDOW) != 0 ||
         (GetWindow(w, GW_OWNER) == nullptr && (ex & WS_EX_TOOLWINDOW) == 0));
  }
  return buttons;
}

bool ShownInFront(HWND form) {
  return WaitUntil([&] {
    return IsWindowVisible(form) && !IsIconic(form) &&
           GetForegroundWindow() == form;
  });
}

} // namespace

void TestIcon(Suite &suite) {
  const Tamer &t = suite.tamer;
  Context("the icon in the tray, and its tip kept current");
  const HWND icon = Icon(), banner = suite.Role("banner");
  if (!CHECK(icon != nullptr))
    return;
  CHECK_EQ(std::string("Topmost Tamer: 0 windows kept, 0 rules"), TipOf(icon));
  if (CHECK(Target(t, banner) && Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop)))
    CHECK_EQ(std::string("Topmost Tamer: 1 window kept, 0 rules"), TipOf(icon));
  CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop) &&
        Send(t.form, WM_COMMAND, IDM_mnuAlwaysOnTop) &&
        WaitUntil([&] { return IsTopmost(banner); }));

  Context("a click on the icon shows the form, restored, in front");
  CHECK(ShowWindow(t.form, SW_MINIMIZE) && BecomesIconic(t.form, true));
  CHECK(Xdo(At(icon) + "click 1") && ShownInFront(t.form));
}

void TestIconMenu(Suite &suite) {
  const Tamer &t = suite.tamer;
  Context("the icon's menu, closed by Escape and by a click elsewhere");
  // With another application in front, the menu takes the keys only if the
  // program brings its form forward first.
  const HWND other = suite.Role("ordinary");
  CHECK(SetForegroundWindow(other) &&
        WaitUntil([&] { return GetForegroundWindow() == other; }));
  if (CHECK(OpenIconMenu())) {
    Screenshot("icon-menu-" + std::to_string(suite.dpi));
    CHECK(Marks() == std::vector<bool>(kRows, false));
    CHECK(Choose("Escape"));
  }
  CHECK(OpenIconMenu() && Xdo("mousemove 640 700 click 1") &&
        WaitUntil([] { return Menu() == nullptr; }));

  Context("hide when minimised: no taskbar button, and back as it was");
  RECT before, after;
  GetWindowRect(t.form, &before);
  if (!CHECK(Target(t, other)))
    return;
  const std::vector<std::string> entries = EntriesOf(t.list);
  const std::string target = TextOf(t.target);
  CHECK(OpenIconMenu() && ChooseRow(kHideWhenMinimized));
  CHECK(OpenIconMenu() && Marks()[kHideWhenMinimized] && Choose("Escape"));
  CHECK(PostMessageA(t.form, WM_SYSCOMMAND, SC_MINIMIZE, 0) &&
        WaitUntil([&] { return !IsWindowVisible(t.form); }) &&
        TaskbarButtons(t.form) == 0);
  CHECK(Xdo(At(Icon()) + "click 1") && ShownInFront(t.form));
  GetWindowRect(t.form, &after);
  CHECK(EqualRect(&before, &after));
  CHECK_LIST(entries, EntriesOf(t.list));
  CHECK_EQ(target, TextOf(t.target));

  Context("minimised with it off: a taskbar button");
  CHECK(OpenIconMenu() && ChooseRow(kHideWhenMinimized));
  CHECK(PostMessageA(t.form, WM_SYSCOMMAND, SC_MINIMIZE, 0) &&
        BecomesIconic(t.form, true) && TaskbarButtons(t.form) == 1);
  CHECK(ShowWindow(t.form, SW_RESTORE) && BecomesIconic(t.form, false));
}

void TestSignIn(Suite &suite) {
  Tamer &t = suite.tamer;
  const std::string command = "\"" + suite.program + "\" /hidden";
  // As an earlier run may have left it: the mark reads the registry.
  SetRunValue(command);
  Context("Start when I sign in removes the Run value, and writes it");
  CHECK(OpenIconMenu() && Marks()[kStartAtSignIn] && ChooseRow(kStartAtSignIn));
  CHECK_EQ(std::string("(none)"), RunValue());
  CHECK(OpenIconMenu() && !Marks()[kStartAtSignIn] &&
        ChooseRow(kStartAtSignIn));
  CHECK_EQ(command, RunValue());

  Context("the value of a copy that has moved: unchecked, and written anew");
  SetRunValue("\"C:\\Old place\\TopmostTamer.exe\" /hidden");
  CHECK(OpenIconMenu() && !Marks()[kStartAtSignIn] &&
        ChooseRow(kStartAtSignIn));
  CHECK_EQ(command, RunValue());

  Context("the Run value's command: the form hidden, the icon shown");
  t.program.Stop();
  Program first;
  if (CHECK(WaitUntil([] { return TrayIcons().empty(); }) &&
            first.StartCommand(RunValue(), kCaption, false))) {
    const HWND form = first.Window();
    CHECK(!IsWindowVisible(form) && Icon() != nullptr);
    // Hidden, then minimised: each start brings the form forward.
    for (const int show : {SW_HIDE, SW_MINIMIZE}) {
      Context("a second start, the first copy's form " +
              std::string(show == SW_HIDE ? "hidden" : "minimised"));
      ShowWindow(form, show);
      CHECK(Answers(form) && RunToEnd("\"" + suite.program + "\"") &&
            ShownInFront(form) && !first.Ended(0));
    }
    Context("Exit on the icon's menu ends the program, and its icon goes");
    CHECK(OpenIconMenu() && ChooseRow(kExit) && first.Ended(kSettleMs) &&
          WaitUntil([] { return TrayIcons().empty(); }));
  }
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunValue);
  CHECK(t.Start(suite.program));
}

void TestTaskbarCreated(Suite &suite) {
  Context("the icon back when a new taskbar is announced");
  // The tray goes, and with it, as with a shell that ends, the icons it
  // knew.
  NOTIFYICONDATAA lost = {};
  lost.cbSize = sizeof lost;
  lost.hWnd = suite.tamer.form;
  lost.uID = IDI_trayIcon;
  CHECK(suite.tray.Stop() && Shell_NotifyIconA(NIM_DELETE, &lost));
  CHECK(suite.tray.Start() &&
        !WaitUntil([] { return !TrayIcons().empty(); }, 1000));
  CHECK(SendNotifyMessageA(HWND_BROADCAST,
                           RegisterWindowMessageA("TaskbarCreated"), 0, 0) &&
        Icon() != nullptr);
}

} // namespace e2e
