// A window whose thread has stopped pumping messages: acting on it must not
// freeze the program.
#include "check.h"
#include "suite.h"
#include "wait.h"

namespace e2e {

void TestHungWindow(Suite &suite, Tamer &tamer) {
  SetContext("MiniMize on a hung window");
  const Controls &c = tamer.Ctl();
  const HWND hung = suite.fixture.Window("hung");
  CHECK_TRUE(Press(c.tasks));
  const int index = IndexOfEntry(tamer, RoleEntry(suite.fixture, "hung"));
  if (!CHECK_TRUE(index >= 0) || !CHECK_TRUE(SelectEntry(tamer, index)))
    return;
  // The one timed check: the command must come back at once.
  CHECK_TRUE(Press(c.minimize, 1000));

  SetContext("the program still dispatches a posted command within 1 s");
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(c.list, LB_RESETCONTENT, 0, 0, SMTO_NORMAL, 1000,
                      &ignored);
  PostClick(tamer, c.tasks);
  const bool alive = WaitUntil(
      [&] {
        DWORD_PTR count = 0;
        return SendMessageTimeoutW(c.list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 100,
                                   &count) != 0 &&
               static_cast<LRESULT>(count) > 0;
      },
      1000);
  CHECK_TRUE(alive);

  SetContext("the hung window is minimised once its thread resumes");
  suite.fixture.Resume();
  WaitUntil([&] { return IsIconic(hung) != FALSE; });
  CHECK_TRUE(IsIconic(hung));
}

} // namespace e2e
