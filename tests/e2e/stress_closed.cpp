// The target window closes between its selection and the command: the
// commands fail quietly, and the program shows nothing and changes nothing.
#include "check.h"
#include "desktop.h"
#include "liveness.h"
#include "message_box.h"
#include "stress.h"
#include "wait.h"

#include <algorithm>

namespace e2e {
namespace {

constexpr Command kCommands[] = {Command::Minimize, Command::Restore,
                                 Command::DoubleClick};

// The program's top-level windows, described for a failure message.
std::vector<std::string> WindowsShown(DWORD pid) {
  std::vector<std::string> shown;
  for (HWND w : WindowsOf(pid)) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    shown.push_back(std::string(cls) + " \"" + ReadText(w) + "\" " +
                    (IsWindowVisible(w) ? "visible" : "hidden"));
  }
  std::sort(shown.begin(), shown.end());
  return shown;
}

} // namespace

void StressClosedTarget(Suite &suite, Tamer &tamer) {
  SetContext("closed target: select it");
  const HWND doomed = suite.fixture.Window("doomed");
  const int index = FillAndSelectRole(suite, tamer, "doomed");
  if (index < 0)
    return;
  const Snapshot before = Take(tamer);
  const std::vector<std::string> windows = WindowsShown(tamer.ProcessId());

  SetContext("closed target: the fixture closes it");
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(doomed, WM_CLOSE, 0, 0, SMTO_NORMAL, kSettleMs, &ignored);
  if (!CHECK_FALSE(IsWindow(doomed)))
    return;

  for (Command command : kCommands) {
    SetContext(std::string("closed target: ") + NameOf(command));
    CHECK_TRUE(Perform(tamer, command, index, kSettleMs));
    CHECK_FALSE(tamer.WaitForExit(0));
    CHECK_TRUE(DispatchesPosted(tamer));
    CHECK_TRUE(FindDialogOf(tamer.ProcessId()).dialog == nullptr);
    CHECK_SAME_LIST(windows, WindowsShown(tamer.ProcessId()));
    CheckUnchanged(before, tamer);
  }
}

} // namespace e2e
