// The catalogue and the commands over a table of fake windows, for what a
// real window manager never shows: a GetWindowTextA that reports more than it
// copied, exactly which calls each window gets, and overlong texts under
// ASan. This file also defines the window operations for the host build.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "MTaskList.h"
#include "frmHide_commands.h"

using namespace platform;

namespace {

struct FakeWindow {
  bool visible;
  LONG parent;
  LONG owner;
  std::string title;
  int reported;              // what GetWindowTextA returns
  std::string expected = ""; // the calls the test expects on this window
  std::string asked = "";    // V(isible), P(arent), O(wner), T(itle) in order
};

std::vector<FakeWindow> windows; // handle n is windows[n - 1]
std::string selection;           // the list's selected entry
std::vector<std::string> trace;  // list messages and target changes, in order

FakeWindow &Ask(HWND hwnd, char what) {
  FakeWindow &window = windows.at(LongFromHwnd(hwnd) - 1);
  window.asked += what;
  return window;
}

} // namespace

namespace platform {

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  for (std::size_t i = 1; i <= windows.size(); ++i)
    if (const BOOL result = callback(HwndFromLong(LONG(i)), lParam);
        result != -1) // TRUE with all bits set, never just 1
      trace.push_back("returned " + std::to_string(result));
  return TRUE;
}
BOOL IsWindowVisible(HWND hwnd) { return Ask(hwnd, 'V').visible; }
HWND GetParent(HWND hwnd) { return HwndFromLong(Ask(hwnd, 'P').parent); }
LONG GetWindowLongA(HWND hwnd, int) { return Ask(hwnd, 'O').owner; }
int GetWindowTextA(HWND hwnd, char *buffer, int maxCount) {
  const FakeWindow &window = Ask(hwnd, 'T');
  buffer[window.title.copy(buffer, std::size_t(maxCount - 1))] = '\0';
  return window.reported;
}
LRESULT SendMessageA(HWND, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == LB_ADDSTRING)
    trace.push_back("add " + std::string(reinterpret_cast<char *>(lParam)));
  if (msg == LB_RESETCONTENT)
    trace.push_back("reset");
  if (msg == LB_GETTEXT)
    std::strcpy(reinterpret_cast<char *>(lParam), selection.c_str());
  return msg == LB_GETTEXTLEN ? LRESULT(selection.size()) : 0;
}
BOOL SetWindowTextA(HWND, const char *text) {
  trace.push_back(std::string("target ") + text);
  return TRUE;
}
BOOL InvalidateRect(HWND, const void *, BOOL) { return TRUE; }
BOOL EnableWindow(HWND, BOOL) { return FALSE; }
BOOL ShowWindow(HWND, int) { return TRUE; }
BOOL ShowWindowAsync(HWND, int) { return TRUE; }
DWORD GetWindowThreadProcessId(HWND, DWORD *) { return 0; }
DWORD GetCurrentThreadId() { return 0; }

} // namespace platform

TEST(FillTaskList, ClearsThenAsksInOrderUntilATestFailsAndCutsTitles) {
  const std::string longest(255, 'L');
  windows = {
      {false, 0, 0, "Hidden", 6, "V"},
      {true, 7, 0, "Child", 5, "VP"},
      {true, 0, 7, "Owned", 5, "VPO"},
      {true, 0, 0, "", 0, "VPOT"},
      {true, 0, 0, longest, 255, "VPOT"},
      {true, 0, 0, std::string(300, 'R'), 1000, "VPOT"}, // reports too many
  };
  trace.clear();
  MTaskList::FillTaskList(HwndFromLong(99));
  EXPECT_EQ(trace,
            (std::vector<std::string>{"reset", "add " + longest + " 5",
                                      "add " + std::string(255, 'R') + " 6"}));
  for (const FakeWindow &window : windows)
    EXPECT_EQ(window.asked, window.expected) << window.title;
  EXPECT_EQ(MTaskList::TaskScratch.Length, 255);
}

TEST(Commands, CopyNoTextLongerThanAnEntry) {
  const frmHideControls form{HwndFromLong(1), HwndFromLong(2), {}, {}};
  const std::string longest(modHideWin::kMaxEntry, '7');
  const struct {
    std::string entry;
    std::vector<std::string> trace;
  } cases[] = {{longest, {"target " + longest}}, {longest + '7', {}}};
  for (const auto &c : cases) {
    selection = c.entry;
    trace.clear();
    List1_Click(form);
    EXPECT_EQ(trace, c.trace) << c.entry.size();
  }
  // The target label is read with the buffer's own size, whatever it holds.
  windows = {{}, {true, 0, 0, std::string(300, '7'), 300}};
  Command1_Click(form);
}
