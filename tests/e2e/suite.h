// The end-to-end cases, grouped by what they exercise; each records its
// checks through check.h.
#pragma once

#include "fixture_link.h"
#include "message_box.h"
#include "tamer.h"

#include <functional>
#include <string>
#include <vector>

namespace e2e {

struct Suite {
  std::string tamer_exe;   // Windows path of the program under test
  std::string fixture_exe; // Windows path of the fixture application
  std::string work_dir;    // Windows path of a folder for the fixtures' files
  int dpi = 96;            // the DPI the display is set to
  Fixture fixture;         // its "roles" process
};

// What the list must hold of the fixture's windows right now: its listed
// roles, in the current Z order.
std::vector<std::string> ExpectedFixtureEntries(const Fixture &fixture);
// The entries of `entries` that stand for windows of the fixture process.
std::vector<std::string>
FixtureEntriesOf(const std::vector<std::string> &entries,
                 const Fixture &fixture);
// Index of `entry` in the program's list, or -1.
int IndexOfEntry(const Tamer &tamer, const std::string &entry);
std::string RoleEntry(const Fixture &fixture, const std::string &role);
// Selects the entry of `role`, as a user picks a target; its index, or -1
// (and a failure) when it is not listed or the program does not answer.
int SelectRole(const Suite &suite, const Tamer &tamer, const std::string &role);
// The same after a fill by "Get All Windows".
int FillAndSelectRole(const Suite &suite, const Tamer &tamer,
                      const std::string &role);
// Waits until the fixture's threads have handled what was sent to them.
void SettleFixture(const Fixture &fixture);
// Waits for `hwnd` of the fixture to become (or stop being) minimised, then
// checks it; true when it is as expected.
bool CheckIconic(const Suite &suite, HWND hwnd, bool iconic);
// Presses "MiniMize" and "Restore Size" and checks that the target window,
// `hwnd`, follows; true when every step did. `while_minimised`, if given,
// runs between the two once `hwnd` is minimised.
bool MinimizeThenRestore(const Suite &suite, const Tamer &tamer, HWND hwnd,
                         const std::function<void()> &while_minimised = {});

// What the user sees of the program's state.
struct Snapshot {
  std::vector<std::string> entries;
  std::string target;
  bool minimize_enabled;
  bool restore_enabled;
};
Snapshot Take(const Tamer &tamer);
void CheckUnchanged(const Snapshot &before, const Tamer &tamer);

// Waits for the information message and checks its texts and button.
MessageBoxSeen AwaitInfoMessage(const Tamer &tamer);
void CheckInfoGone(const Tamer &tamer, const MessageBoxSeen &seen);

void TestInitialState(Suite &suite, Tamer &tamer);
void TestLayout(Suite &suite, Tamer &tamer);
void TestFill(Suite &suite, Tamer &tamer);
void TestTarget(Suite &suite, Tamer &tamer);
void TestLocate(Suite &suite, Tamer &tamer);
void TestDoubleClick(Suite &suite, Tamer &tamer);
void TestAwkwardTitles(Suite &suite, Tamer &tamer);
void TestInfo(Suite &suite, Tamer &tamer);
void TestRealInput(Suite &suite, Tamer &tamer);
void TestHungWindow(Suite &suite, Tamer &tamer);
void TestExitButton(Suite &suite, Tamer &tamer);
void TestCloseMessage(Suite &suite, Tamer &tamer);

} // namespace e2e
