// The notification-area icon, in a real tray, by real input: its tip, a
// click that shows the form, its menu and what each item does, hiding when
// minimised, the start at sign-in as the registry holds it and as Windows
// runs it, one copy at a time, and the icon back for a new taskbar.
#include "suite.h"

#include "resource.h"

#include <shellapi.h>

namespace e2e {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Topmost Tamer";
// The menu's items, top to bottom.
enum Row { kShow, kStartAtSignIn, kHideWhenMinimized, kExit };

// The program's icon, the only one in the tray, once it is there.
HWND Icon() {
  std::vector<HWND> icons;
  WaitUntil([&] { return (icons = TrayIcons()).size() == 1; });
  return icons.size() == 1 ? icons.front() : nullptr;
}

bool OpenIconMenu() { return OpenMenu(At(Icon()) + "click 3"); }

// The tip that shows once the pointer comes to rest on `icon` (from away:
// only then does it show); empty if none shows.
std::string TipOf(HWND icon) {
  DWORD shell = 0;
  GetWindowThreadProcessId(icon, &shell);
  char text[256] = "";
  if (Xdo("mousemove 640 600 sleep 0.3 " + At(icon)))
    WaitUntil([&] {
      const HWND tip = WindowOf(shell, "tooltips_class32", nullptr, true);
      return tip != nullptr &&
             Send(tip, WM_GETTEXT, sizeof text,
                  reinterpret_cast<LPARAM>(text)) &&
             text[0] != '\0';
    });
  Xdo("mousemove 640 600");
  return text;
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
  const HWND icon = Icon();
  CHECK_EQ(std::string("Topmost Tamer: 0 windows kept, 0 rules"), TipOf(icon));
  // Kept off top, and let go: a window that is not on top stays as it is.
  CHECK(Target(t, suite.Role("ordinary")) &&
        Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop));
  CHECK_EQ(std::string("Topmost Tamer: 1 window kept, 0 rules"), TipOf(icon));
  CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop));

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
  CHECK(OpenIconMenu() &&
        Screenshot("icon-menu-" + std::to_string(suite.dpi)) &&
        !Checked(kHideWhenMinimized) && Choose("Escape"));
  CHECK(OpenIconMenu() && Xdo("mousemove 640 700 click 1") &&
        WaitUntil([] { return Menu() == nullptr; }));

  Context("hide when minimised: no taskbar button, and back as it was");
  RECT before, after;
  GetWindowRect(t.form, &before);
  CHECK(Target(t, other));
  const std::vector<std::string> entries = EntriesOf(t.list);
  const std::string target = TextOf(t.target);
  CHECK(OpenIconMenu() && ChooseRow(kHideWhenMinimized));
  CHECK(OpenIconMenu() && Checked(kHideWhenMinimized) && Choose("Escape"));
  // Remembered with the rules.
  CHECK(FileText(RulesFile()).find("hide-when-minimized=yes") !=
        std::string::npos);
  // Hidden, the form has no taskbar button: the owner never shows.
  CHECK(PostMessageA(t.form, WM_SYSCOMMAND, SC_MINIMIZE, 0) &&
        WaitUntil([&] { return !IsWindowVisible(t.form); }) &&
        !IsWindowVisible(GetWindow(t.form, GW_OWNER)));
  CHECK(Xdo(At(Icon()) + "click 1") && ShownInFront(t.form));
  GetWindowRect(t.form, &after);
  CHECK(EqualRect(&before, &after) && EntriesOf(t.list) == entries &&
        TextOf(t.target) == target);
  CHECK(OpenIconMenu() && ChooseRow(kHideWhenMinimized));
}

void TestSignIn(Suite &suite) {
  Tamer &t = suite.tamer;
  const std::string command = "\"" + suite.program + "\" /hidden";
  // As an earlier run may have left it: the mark reads the registry.
  SetRunValue(command);
  Context("Start when I sign in removes the Run value, and writes it");
  CHECK(OpenIconMenu() && Checked(kStartAtSignIn) &&
        !Checked(kHideWhenMinimized) && ChooseRow(kStartAtSignIn) &&
        RunValue() == "(none)");
  CHECK(OpenIconMenu() && !Checked(kStartAtSignIn) &&
        ChooseRow(kStartAtSignIn));
  CHECK_EQ(command, RunValue());

  Context("the value of a copy that has moved: unchecked, and written anew");
  SetRunValue("\"C:\\Old place\\TopmostTamer.exe\" /hidden");
  CHECK(OpenIconMenu() && !Checked(kStartAtSignIn) &&
        ChooseRow(kStartAtSignIn));
  CHECK_EQ(command, RunValue());

  Context("the Run value's command: the form hidden, the icon shown, a rule "
          "applied");
  t.program.Stop();
  const HWND banner = suite.Role("banner");
  Program first;
  if (CHECK(WaitUntil([] { return TrayIcons().empty(); }) &&
            WriteText(RulesFile(),
                      "topmost-tamer=1\r\n" +
                          RuleLine("keep-off-top", suite.fixture, "banner")) &&
            IsTopmost(banner) &&
            first.StartCommand(RunValue(), kCaption, false))) {
    const HWND form = first.Window();
    CHECK(!IsWindowVisible(form) && Icon() != nullptr);
    CHECK(WaitUntil([&] { return !IsTopmost(banner); }));
    // Hidden, then minimised: a second start brings it forward and ends.
    for (const int show : {SW_HIDE, SW_MINIMIZE}) {
      Context("a second start, the first copy's form in state " +
              std::to_string(show));
      ShowWindow(form, show);
      CHECK(Answers(form) &&
            Program().RunToEnd("\"" + suite.program + "\"") == 0 &&
            ShownInFront(form) && !first.Ended(0));
    }
    Context("Exit on the icon's menu ends the program, and its icon goes");
    CHECK(OpenIconMenu() && ChooseRow(kExit) && first.Ended(kSettleMs) &&
          WaitUntil([] { return TrayIcons().empty(); }));
  }
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunValue);
  DeleteFileA(RulesFile().c_str());
  SetWindowPos(banner, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CHECK(t.Start(suite.program));
}

void TestTaskbarCreated(Suite &suite) {
  Context("the icon back when a new taskbar is announced");
  // The tray goes, and the shell forgets the icon, as a shell that restarts
  // has forgotten it.
  NOTIFYICONDATAA lost = {};
  lost.cbSize = sizeof lost;
  lost.hWnd = suite.tamer.form;
  lost.uID = IDI_trayIcon;
  CHECK(suite.tray.Stop() && Shell_NotifyIconA(NIM_DELETE, &lost) &&
        suite.tray.Start() &&
        !WaitUntil([] { return !TrayIcons().empty(); }, 1000));
  CHECK(SendNotifyMessageA(HWND_BROADCAST,
                           RegisterWindowMessageA("TaskbarCreated"), 0, 0) &&
        Icon() != nullptr);
}

} // namespace e2e
