// Ending the program: nothing of it may be left behind.
#include "check.h"
#include "suite.h"
#include "wait.h"

namespace e2e {
namespace {

void CheckGone(Tamer &tamer, HWND form, HWND owner) {
  CHECK_TRUE(tamer.WaitForExit(kSettleMs));
  CHECK_FALSE(IsWindow(form));
  CHECK_FALSE(IsWindow(owner));
  CHECK_TRUE(FindWindowA(nullptr, kCaption) == nullptr);
}

} // namespace

void TestExitButton(Suite &suite, Tamer &tamer) {
  (void)suite;
  SetContext("Exit with entries in the list");
  const HWND form = tamer.Form();
  const HWND owner = GetWindow(form, GW_OWNER);
  CHECK_TRUE(Press(tamer.Ctl().tasks));
  CHECK_TRUE(SendMessageW(tamer.Ctl().list, LB_GETCOUNT, 0, 0) > 0);
  // No reply is expected: the process is meant to end inside the click.
  Press(tamer.Ctl().exit, 1000);
  CheckGone(tamer, form, owner);
}

void TestCloseMessage(Suite &suite, Tamer &tamer) {
  (void)suite;
  SetContext("closing the window");
  const HWND form = tamer.Form();
  const HWND owner = GetWindow(form, GW_OWNER);
  PostMessageA(form, WM_CLOSE, 0, 0);
  CheckGone(tamer, form, owner);
}

} // namespace e2e
