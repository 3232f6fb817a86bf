// The information message behind the "&Info" menu item.
#include "check.h"
#include "message_box.h"
#include "suite.h"
#include "wait.h"

#include <algorithm>

namespace e2e {
namespace {

constexpr char kInfoText[] =
    "Minimize the Ad Banner... then move it out of the way.";

} // namespace

MessageBoxSeen AwaitInfoMessage(const Tamer &tamer) {
  MessageBoxSeen seen;
  WaitUntil([&] {
    seen = FindDialogOf(tamer.ProcessId());
    return seen.dialog != nullptr && !seen.buttons.empty();
  });
  CHECK_TRUE(seen.dialog != nullptr);
  CHECK_EQ(std::string("Topmost Tamer"), seen.caption);
  CHECK_TRUE(std::find(seen.statics.begin(), seen.statics.end(), kInfoText) !=
             seen.statics.end());
  CHECK_EQ(size_t{1}, seen.buttons.size());
  if (!seen.buttons.empty())
    CHECK_EQ(std::string("OK"), ReadText(seen.buttons[0]));
  return seen;
}

void CheckInfoGone(const Tamer &tamer, const MessageBoxSeen &seen) {
  WaitUntil([&] { return !IsWindow(seen.dialog); });
  CHECK_FALSE(IsWindow(seen.dialog));
  CHECK_TRUE(FindDialogOf(tamer.ProcessId()).dialog == nullptr);
}

void TestInfo(Suite &suite, Tamer &tamer) {
  (void)suite;
  SetContext("Info through the menu's keyboard path");
  const Snapshot before = Take(tamer);
  // What Alt+I turns into; posted because the message box is modal.
  PostMessageA(tamer.Form(), WM_SYSCOMMAND, SC_KEYMENU, 'i');
  const MessageBoxSeen seen = AwaitInfoMessage(tamer);
  if (seen.dialog == nullptr || seen.buttons.empty())
    return;
  // Modal: the form takes no input while the message is up.
  CHECK_FALSE(IsWindowEnabled(tamer.Form()));
  CHECK_TRUE(Press(seen.buttons[0]));
  CheckInfoGone(tamer, seen);
  CHECK_TRUE(IsWindowEnabled(tamer.Form()));
  SetContext("Info leaves everything as it was");
  CheckUnchanged(before, tamer);
}

} // namespace e2e
