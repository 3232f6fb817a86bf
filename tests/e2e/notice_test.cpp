// The notice when a command had no effect: its reason for a window that
// hangs, vetoes the change or has closed, none when the command worked, how
// it goes away, and how it fits titles too wide for it; and the restart as
// administrator, which under Wine starts an ordinary new instance.
#include "suite.h"

#include "resource.h"

#include <cstring>

namespace e2e {

void TestNotices(Suite &suite) {
  Tamer &t = suite.tamer;
  const auto gone = [&] { return NoticeOf(t) == nullptr; };
  // Each row's notice ends before the next row: the veto one by a click on
  // it, the last by its time running out, the others by the next command. A
  // title wider than the notice is cut at a whole character, with "...".
  const char *const kVetoed = "The application of \"";
  const char *const kRefused = "\" would not allow the change.";
  const struct {
    const char *role, *before, *after; // the notice's text around the title
    int command;                       // sent to the form as a WM_COMMAND
  } rows[] = {
      {"hung", "The application of \"",
       "\" does not respond. The change will happen when it does.",
       IDC_Command1},
      {"ordinary", nullptr, nullptr, IDC_Command1},
      {"long", kVetoed, kRefused, IDM_mnuAlwaysOnTop},
      {"emoji300", kVetoed, kRefused, IDM_mnuAlwaysOnTop},
      {"cjk300", kVetoed, kRefused, IDM_mnuAlwaysOnTop},
      {"veto", kVetoed, kRefused, IDM_mnuAlwaysOnTop},
      {"doomed", "\"", "\" has closed.", IDC_Command1},
  };
  for (const auto &row : rows) {
    const std::string role = row.role;
    Context("a notice after a command on the " + role + " window");
    const HWND window = suite.Role(row.role);
    const std::string title = TextOf(window);
    if (!CHECK(Target(t, window)) || !CHECK(gone()))
      continue;
    if (role == "hung")
      CHECK(SendMessageA(suite.roles.Window(), fixture::kFreeze, 0, 0));
    if (role == "doomed" && PostMessageA(window, WM_CLOSE, 0, 0))
      CHECK(WaitUntil([&] { return !IsWindow(window); }));
    const bool wide = role == "long" || role == "emoji300" || role == "cjk300";
    CHECK(!wide || Send(window, fixture::kVeto, TRUE));
    const int iconic = suite.Iconic();
    CHECK(Send(t.form, WM_COMMAND, row.command, 0, 1000));
    std::string notice;
    WaitUntil([&] { return !(notice = NoticeText(t)).empty(); }, 3000);
    CHECK(Send(t.form, WM_NULL, 0, 0, 1000)); // whatever the target does
    // All of the title, or of a wide one what comes before "...".
    const size_t named = wide ? notice.size() - std::strlen(row.before) -
                                    std::strlen(row.after) - 3
                              : title.size();
    CHECK_EQ(row.before ? row.before + title.substr(0, named) +
                              (wide ? "..." : "") + row.after
                        : "",
             notice);
    // The balloon is as wide as the target line at most.
    RECT balloon = {}, line;
    GetWindowRect(NoticeOf(t), &balloon);
    GetWindowRect(t.target, &line);
    CHECK(balloon.right - balloon.left <= line.right - line.left);
    if (wide)
      Send(window, fixture::kVeto, FALSE);
    if (role == "hung") {
      Screenshot("notice-" + std::to_string(suite.dpi));
      SendMessageA(suite.roles.Window(), fixture::kThaw, 0, 0);
    }
    if (role == "veto") {
      CHECK(GetWindowLongPtrA(window, GWLP_USERDATA) > 0); // it was asked
      CHECK(Xdo("mousemove " + std::to_string(balloon.left + 40) + " " +
                std::to_string((balloon.top + balloon.bottom) / 2) +
                " click 1"));
      CHECK(WaitUntil(gone));
    }
    // No other window changed; the notice lasts about ten seconds.
    if (role == "doomed")
      CHECK(suite.Iconic() == iconic && !WaitUntil(gone, 5000) &&
            WaitUntil(gone, 10000));
  }

  Context("restart as administrator, then the suite's own instance again");
  // The new instance waits for the old one to end before it shows its form.
  HWND fresh = nullptr;
  DWORD id = 0;
  CHECK(PostMessageA(t.form, WM_COMMAND, IDM_RestartAsAdministrator, 0) &&
        t.program.Ended(kStartMs) &&
        WaitUntil(
            [&] {
              return IsWindowVisible(fresh = FindWindowA(nullptr, kCaption));
            },
            kStartMs) &&
        GetWindowThreadProcessId(fresh, &id));
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  CHECK(process != nullptr && PostMessageA(fresh, WM_CLOSE, 0, 0) &&
        WaitForSingleObject(process, kSettleMs) == WAIT_OBJECT_0 &&
        t.Start(suite.program));
  CloseHandle(process);
}

} // namespace e2e
