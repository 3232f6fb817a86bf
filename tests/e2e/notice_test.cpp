// The notice when a command had no effect: its reason for a window that
// hangs, vetoes the change or has closed, none when the command worked, how
// it goes away; and the restart as administrator, which under Wine starts an
// ordinary new instance.
#include "suite.h"

#include "resource.h"

namespace e2e {

void TestNotices(Suite &suite) {
  Tamer &t = suite.tamer;
  const HWND control = suite.roles.Window();
  // Each row's notice ends before the next row: the hung one by the next
  // command, the veto one by a click on it, the last by its time running out.
  const struct {
    const char *role;
    int command;                // sent to the form as a WM_COMMAND
    const char *before, *after; // the notice's text around the title
  } rows[] = {
      {"hung", IDC_Command1, "The application of \"",
       "\" does not respond. The change will happen when it does."},
      {"ordinary", IDC_Command1, nullptr, nullptr},
      {"veto", IDM_mnuAlwaysOnTop, "The application of \"",
       "\" would not allow the change."},
      {"doomed", IDC_Command1, "\"", "\" has closed."},
  };
  for (const auto &row : rows) {
    const std::string role = row.role;
    Context("a notice after a command on the " + role + " window");
    const HWND window = suite.Role(row.role);
    const std::string title = TextOf(window);
    if (!FillAndSelect(suite, row.role) || !CHECK(NoticeOf(t) == nullptr))
      continue;
    if (role == "hung")
      CHECK(SendMessageA(control, fixture::kFreeze, 0, 0));
    if (role == "doomed" && PostMessageA(window, WM_CLOSE, 0, 0))
      CHECK(WaitUntil([&] { return !IsWindow(window); }));
    CHECK(Send(t.form, WM_COMMAND, row.command, 0, 1000));
    std::string notice;
    WaitUntil([&] { return !(notice = NoticeText(t)).empty(); }, 3000);
    CHECK(Send(t.form, WM_NULL, 0, 0, 1000)); // whatever the target does
    CHECK_EQ(row.before ? row.before + title + row.after : "", notice);
    if (role == "hung") {
      Screenshot("notice-" + std::to_string(suite.dpi));
      SendMessageA(control, fixture::kThaw, 0, 0);
    }
    RECT shown = {};
    GetWindowRect(NoticeOf(t), &shown);
    if (role == "veto") {
      CHECK(GetWindowLongPtrA(window, GWLP_USERDATA) > 0); // it was asked
      CHECK(Xdo("mousemove " + std::to_string(shown.left + 40) + " " +
                std::to_string((shown.top + shown.bottom) / 2) + " click 1"));
      CHECK(WaitUntil([&] { return NoticeOf(t) == nullptr; }));
    }
    if (role == "doomed") // about ten seconds
      CHECK(!WaitUntil([&] { return NoticeOf(t) == nullptr; }, 5000) &&
            WaitUntil([&] { return NoticeOf(t) == nullptr; }, 10000));
  }

  Context("restart as administrator");
  CHECK(PostMessageA(t.form, WM_COMMAND, IDM_RestartAsAdministrator, 0));
  HWND fresh = nullptr;
  CHECK(t.program.Ended(kSettleMs) && WaitUntil([&] {
          return (fresh = FindWindowA(nullptr, kCaption)) != nullptr;
        }));
  PostMessageA(fresh, WM_CLOSE, 0, 0);
  CHECK(WaitUntil([&] { return !IsWindow(fresh); }) && t.Start(suite.program));
}

} // namespace e2e
