// A window whose thread has stopped pumping messages: acting on it must not
// freeze the program, and once the thread pumps again the change that the
// program scheduled last is the one that shows.
#include "check.h"
#include "liveness.h"
#include "suite.h"
#include "wait.h"

namespace e2e {
namespace {

struct HungCase {
  const char *name;
  Command acts[3];
  int count;
  bool iconic; // once the thread has caught up
};

// Each row ends in the other state than the row before it, so a command
// that never arrives cannot pass.
constexpr HungCase kCases[] = {
    {"MiniMize", {Command::Minimize}, 1, true},
    {"MiniMize, Restore Size", {Command::Minimize, Command::Restore}, 2, false},
    {"Restore Size, double-click",
     {Command::Restore, Command::DoubleClick},
     2,
     true},
    {"double-click, MiniMize, Restore Size",
     {Command::DoubleClick, Command::Minimize, Command::Restore},
     3,
     false},
};

// The one timed bound: each command must come back within a second.
constexpr DWORD kAtOnceMs = 1000;

} // namespace

void TestHungWindow(Suite &suite, Tamer &tamer) {
  SetContext("target a hung window");
  const HWND hung = suite.fixture.Window("hung");
  const int index = FillAndSelectRole(suite, tamer, "hung");
  if (index < 0)
    return;
  // The fixture starts with the window's thread frozen.
  bool frozen = true;
  for (const HungCase &row : kCases) {
    SetContext(std::string("hung window: ") + row.name);
    if (!frozen && !CHECK_TRUE(suite.fixture.Freeze()))
      return;
    for (int i = 0; i < row.count; ++i) {
      CHECK_TRUE(Perform(tamer, row.acts[i], index, kAtOnceMs));
      CHECK_TRUE(DispatchesPosted(tamer));
    }
    CHECK_EQ(RoleEntry(suite.fixture, "hung"), ReadText(tamer.Ctl().target));
    suite.fixture.Resume();
    frozen = false;
    // Answered only after everything queued before it.
    DWORD_PTR ignored = 0;
    CHECK_TRUE(SendMessageTimeoutA(hung, WM_NULL, 0, 0, SMTO_NORMAL, kSettleMs,
                                   &ignored) != 0);
    CHECK_EQ(row.iconic, IsIconic(hung) != FALSE);
    CHECK_TRUE(DispatchesPosted(tamer));
  }
}

} // namespace e2e
