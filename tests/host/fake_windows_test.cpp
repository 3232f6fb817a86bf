// The catalogue and the commands over a table of fake windows, for what a
// real window manager never shows: a GetWindowTextA that reports more than it
// copied, cloaked windows, exactly which calls each window gets, and overlong
// texts under ASan. This file also defines the window operations for the host
// build.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "MTaskList.h"
#include "frmHide_outcome.h"

using namespace platform;

namespace {

struct FakeWindow {
  bool visible;
  bool cloaked;
  LONG parent;
  LONG owner;
  std::string title;
  int reported;              // what GetWindowTextA returns
  std::string expected = ""; // the calls the test expects on this window
  std::string asked = "";    // V(isible), C(loaked), P(arent), O(wner), T(itle)
  LONG exStyle = 0;
  DWORD thread = 1; // 0: closed
  bool iconic = false;
};

std::vector<FakeWindow> windows; // handle n is windows[n - 1]
std::vector<std::string> list;  // the list box's entries; the first is selected
std::vector<std::string> trace; // list messages and target changes, in order
DWORD ownIntegrity, othersIntegrity; // of our process and of every other

// Messages sent with a callback, answered when a test says so.
struct Unanswered {
  HWND hwnd;
  SENDASYNCPROC callback;
  ULONG_PTR data;
};
std::vector<Unanswered> unanswered;

void AnswerAll() {
  const std::vector<Unanswered> answers = std::move(unanswered);
  unanswered.clear();
  for (const Unanswered &answer : answers)
    answer.callback(answer.hwnd, WM_NULL, answer.data, 0);
}

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
// FALSE is also what the provider answers when the system cannot tell, so
// every uncloaked row stands for that case as well.
BOOL IsWindowCloaked(HWND hwnd) { return Ask(hwnd, 'C').cloaked; }
HWND GetParent(HWND hwnd) { return HwndFromLong(Ask(hwnd, 'P').parent); }
LONG GetWindowLongA(HWND hwnd, int index) {
  return index == GWL_EXSTYLE ? Ask(hwnd, 'X').exStyle : Ask(hwnd, 'O').owner;
}
int GetWindowTextA(HWND hwnd, char *buffer, int maxCount) {
  const FakeWindow &window = Ask(hwnd, 'T');
  buffer[window.title.copy(buffer, std::size_t(maxCount - 1))] = '\0';
  return window.reported;
}
LRESULT SendMessageA(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case LB_ADDSTRING:
    list.emplace_back(reinterpret_cast<char *>(lParam));
    trace.push_back("add " + list.back());
    return LRESULT(list.size() - 1);
  case LB_RESETCONTENT:
    list.clear();
    trace.push_back("reset");
    return 0;
  case LB_GETCOUNT:
    return LRESULT(list.size());
  case LB_GETTEXTLEN:
    return LRESULT(list.at(wParam).size());
  case LB_GETTEXT:
    std::strcpy(reinterpret_cast<char *>(lParam), list.at(wParam).c_str());
    return LRESULT(list.at(wParam).size());
  }
  return 0; // LB_GETCURSEL: the first entry is selected
}
BOOL SetWindowTextA(HWND, const char *text) {
  trace.push_back(std::string("target ") + text);
  return TRUE;
}
BOOL InvalidateRect(HWND, const void *, BOOL) { return TRUE; }
BOOL EnableWindow(HWND, BOOL) { return FALSE; }
BOOL ShowWindow(HWND, int) { return TRUE; }
BOOL ShowWindowAsync(HWND, int) { return TRUE; }
BOOL IsWindow(HWND hwnd) {
  const std::size_t index = std::size_t(LongFromHwnd(hwnd)) - 1;
  return index < windows.size() && windows[index].thread != 0;
}
BOOL IsIconic(HWND hwnd) { return IsWindow(hwnd) && Ask(hwnd, 'I').iconic; }
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD *processId) {
  const DWORD thread = IsWindow(hwnd) ? Ask(hwnd, 'H').thread : 0;
  if (processId != nullptr)
    *processId = thread * 10; // one process per thread
  return thread;
}
DWORD GetCurrentThreadId() { return 0; }
// The place and size go unread: the flags must say to keep both.
BOOL SetWindowPos(HWND hwnd, HWND after, int, int, int, int, UINT flags) {
  trace.push_back("pos " + std::to_string(LongFromHwnd(hwnd)) + " after " +
                  std::to_string(LongFromHwnd(after)) + " flags " +
                  std::to_string(flags));
  return TRUE;
}

BOOL SendMessageCallbackA(HWND hwnd, UINT, WPARAM, LPARAM,
                          SENDASYNCPROC callback, ULONG_PTR data) {
  if (!IsWindow(hwnd))
    return FALSE;
  unanswered.push_back({hwnd, callback, data});
  return TRUE;
}
UINT_PTR SetTimer(HWND, UINT_PTR id, UINT elapse) {
  trace.push_back("timer " + std::to_string(elapse));
  return id;
}
BOOL KillTimer(HWND, UINT_PTR) {
  trace.push_back("timer off");
  return TRUE;
}
DWORD GetProcessIntegrityLevel(DWORD processId) {
  return processId == 0 ? ownIntegrity : othersIntegrity;
}

} // namespace platform

TEST(FillTaskList, ClearsThenAsksInOrderUntilATestFailsAndCutsTitles) {
  const std::string longest(255, 'L');
  windows = {
      {false, true, 0, 0, "Hidden", 6, "V"},
      {true, true, 0, 0, "Cloaked", 7, "VC"},
      {true, false, 7, 0, "Child", 5, "VCP"},
      {true, false, 0, 7, "Owned", 5, "VCPO"},
      {true, false, 0, 0, "", 0, "VCPOT"},
      {true, false, 0, 0, longest, 255, "VCPOT"},
      {true, false, 0, 0, std::string(300, 'R'), 1000, "VCPOT"}, // too many
  };
  trace.clear();
  MTaskList::FillTaskList(HwndFromLong(99));
  EXPECT_EQ(trace,
            (std::vector<std::string>{"reset", "add " + longest + " 6",
                                      "add " + std::string(255, 'R') + " 7"}));
  for (const FakeWindow &window : windows)
    EXPECT_EQ(window.asked, window.expected) << window.title;
  EXPECT_EQ(MTaskList::TaskScratch.Length, 255);
}

TEST(Commands, CopyNoTextLongerThanAnEntry) {
  const frmHideControls form{HwndFromLong(1), HwndFromLong(2), {}, {}, {}};
  const std::string longest(modHideWin::kMaxEntry, '7');
  const struct {
    std::string entry;
    std::vector<std::string> trace;
  } cases[] = {{longest, {"target " + longest}}, {longest + '7', {}}};
  for (const auto &c : cases) {
    list = {c.entry};
    trace.clear();
    List1_Click(form);
    EXPECT_EQ(trace, c.trace) << c.entry.size();
  }
  // The target label is read with the buffer's own size, whatever it holds.
  windows = {{}, {true, false, 0, 0, std::string(300, '7'), 300}};
  Command1_Click(form);
}

TEST(Commands, LocateTopMostPassesOverACloakedWindow) {
  const frmHideControls form{HwndFromLong(99), {}, {}, {}, {}};
  windows = {
      {true, true, 0, 0, "Cloaked banner", 14},
      {true, false, 0, 0, "Banner", 6},
      {true, false, 0, 0, "Editor", 6},
  };
  list = {"stale 1"};
  Command2_Click(form);
  EXPECT_EQ(list, std::vector<std::string>{"Banner 2"});
}

TEST(Commands, AlwaysOnTopFlipsTheTargetsStateAndNeverWaitsOnIt) {
  const frmHideControls form{{}, HwndFromLong(1), {}, {}, {}};
  for (const bool topmost : {true, false}) {
    windows = {
        {true, false, 0, 0, "Banner 2", 8},
        {true, false, 0, 0, "Banner", 6, "", "", topmost ? 0x108 : 0x100}};
    trace.clear();
    EXPECT_EQ(TargetIsTopmost(form), topmost);
    mnuAlwaysOnTop_Click(form);
    // No move, no size, no activation; scheduled on the target's thread.
    EXPECT_EQ(trace, (std::vector<std::string>{
                         "pos 2 after " + std::string(topmost ? "-2" : "-1") +
                             " flags 16403",
                         "timer 1000"}));
  }
}

TEST(Outcome, SaysWhyACommandHadNoEffectWithoutWaitingOnTheWindow) {
  const frmHideControls form{{}, HwndFromLong(1), {}, {}, {}};
  constexpr DWORD kMedium = 0x2000, kHigh = 0x3000;
  // thread 0: closed; 3: the handle is another thread's window now. `says`
  // is in the notice; "": no notice.
  const struct {
    bool iconic, answers;
    DWORD thread, own, target; // integrity levels: ours, the target's
    const char *says;
  } cases[] = {
      {true, false, 1, kMedium, kHigh, ""},
      {false, false, 0, kMedium, kHigh, "\"Banner\" has closed."},
      {false, true, 3, kMedium, kMedium, "has closed"},
      {false, false, 1, kMedium, kHigh, "runs as administrator"},
      {false, true, 1, kMedium, kIntegrityUnknown, "runs as administrator"},
      {false, true, 1, kNoIntegrityLevels, kIntegrityUnknown, "not allow"},
      {false, false, 1, kHigh, kHigh, "does not respond"},
      {false, true, 1, kMedium, kMedium, "would not allow the change"},
  };
  for (const auto &c : cases) {
    windows = {{true, false, 0, 0, "Banner 2", 8}, {true, false, 0, 0, "", 0}};
    ownIntegrity = c.own;
    othersIntegrity = c.target;
    unanswered.clear();
    Command1_Click(form);
    windows[1].iconic = c.iconic;
    windows[1].thread = c.thread;
    if (c.answers)
      AnswerAll();
    Notice notice{};
    EXPECT_EQ(TakeOutcome(form, notice), *c.says != '\0') << c.says;
    EXPECT_STREQ(notice.title.data(), *c.says ? "MiniMize had no effect" : "");
    EXPECT_NE(std::string(notice.text.data()).find(c.says), std::string::npos)
        << c.says;
    EXPECT_EQ(notice.offersRestart,
              c.says == std::string("runs as administrator"));
  }
}
