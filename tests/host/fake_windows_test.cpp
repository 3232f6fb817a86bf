// The catalogue and the commands over a table of fake windows, for what a
// real window manager never shows: a GetWindowTextA that reports more than it
// copied, overlong texts under ASan, exactly which requests a window gets,
// integrity levels and Store apps; and every cut of a title's last character.
// This file also defines the window operations for the host build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "MTaskList.h"
#include "application.h"
#include "frmHide_commands.h"
#include "modHideWin.h"
#include "outcome.h"

using namespace platform;

namespace {

struct FakeWindow {
  bool visible;
  bool cloaked;
  LONG parent;
  LONG owner;
  std::string title;
  int reported; // what GetWindowTextA returns
  LONG exStyle = 0;
  DWORD thread = 1; // 0: closed
  bool iconic = false;
  std::string windowClass = "";
};

std::vector<FakeWindow> windows; // handle n is windows[n - 1]
std::vector<std::string> list;  // the list box's entries; the first is selected
std::vector<std::string> trace; // list messages and target changes, in order
DWORD ownIntegrity, othersIntegrity;       // of our process and of every other
std::map<DWORD, std::string> processPaths; // by process id

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

FakeWindow &Of(HWND hwnd) { return windows.at(LongFromHwnd(hwnd) - 1); }

} // namespace

namespace platform {

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  for (std::size_t i = 1; i <= windows.size(); ++i)
    if (const BOOL result = callback(HwndFromLong(LONG(i)), lParam);
        callback == MTaskList::EnumTaskProc &&
        result != -1) // TRUE with all bits set, never just 1
      trace.push_back("returned " + std::to_string(result));
  return TRUE;
}
BOOL EnumDesktopWindows(WNDENUMPROC callback, LPARAM lParam) {
  return EnumWindows(callback, lParam);
}
BOOL IsWindowVisible(HWND hwnd) { return Of(hwnd).visible; }
BOOL IsWindow(HWND hwnd) {
  const std::size_t index = std::size_t(LongFromHwnd(hwnd)) - 1;
  return index < windows.size() && windows[index].thread != 0;
}
// FALSE is also what the provider answers when the system cannot tell, so
// every uncloaked row stands for that case as well.
BOOL IsWindowCloaked(HWND hwnd) { return Of(hwnd).cloaked; }
HWND GetParent(HWND hwnd) { return HwndFromLong(Of(hwnd).parent); }
LONG GetWindowLongA(HWND hwnd, int index) {
  if (!IsWindow(hwnd))
    return 0;
  return index == GWL_EXSTYLE ? Of(hwnd).exStyle : Of(hwnd).owner;
}
// Code page 1252, where 0xE9 is a whole "é"; the Wine tests run in UTF-8.
UINT GetACP() { return 1252; }
int GetWindowTextA(HWND hwnd, char *buffer, int maxCount) {
  const FakeWindow &window = Of(hwnd);
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
BOOL IsIconic(HWND hwnd) { return IsWindow(hwnd) && Of(hwnd).iconic; }
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD *processId) {
  const DWORD thread = IsWindow(hwnd) ? Of(hwnd).thread : 0;
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
int GetClassNameA(HWND hwnd, char *buffer, int maxCount) {
  if (!IsWindow(hwnd))
    return 0;
  const std::string &name = Of(hwnd).windowClass;
  buffer[name.copy(buffer, std::size_t(maxCount - 1))] = '\0';
  return int(name.size());
}
HWND FindWindowExA(HWND parent, HWND after, const char *className,
                   const char *) {
  for (LONG i = after != nullptr ? LongFromHwnd(after) + 1 : 1;
       i <= LONG(windows.size()); ++i)
    if (windows[i - 1].parent == LongFromHwnd(parent) &&
        windows[i - 1].windowClass == className)
      return HwndFromLong(i);
  return nullptr;
}
DWORD GetProcessImagePath(DWORD processId, char *buffer, DWORD size) {
  const auto path = processPaths.find(processId);
  if (path == processPaths.end() || path->second.size() >= size)
    return 0;
  buffer[path->second.copy(buffer, size)] = '\0';
  return DWORD(path->second.size());
}

} // namespace platform

// Which windows it lists is the Wine tests' (tests/e2e/commands_test.cpp).
TEST(FillTaskList, ClearsThenCutsTitlesAtWhateverLengthIsReported) {
  const std::string longest(255, 'L');
  windows = {
      {true, false, 0, 0, "caf\xE9", 4},
      {true, false, 0, 0, longest, 255},
      {true, false, 0, 0, std::string(300, 'R'), 1000}, // too many
  };
  trace.clear();
  MTaskList::FillTaskList(HwndFromLong(99));
  EXPECT_EQ(trace, (std::vector<std::string>{
                       "reset", "add caf\xE9 1", "add " + longest + " 2",
                       "add " + std::string(255, 'R') + " 3"}));
  EXPECT_EQ(MTaskList::TaskScratch.Length, 255);
}

// In UTF-8, where FillTaskList's case is the single-byte code page 1252. Its
// partner HwndFromEntry is the fuzzer's (tests/fuzz): its seeds are the
// texts that matter, and it reads back any handle composed under any title.
TEST(WholeCharacters, DropsOnlyACharacterThatTheCutLeftUnfinished) {
  // After "é", each character of 1 to 4 bytes and each cut of it.
  for (const std::string character :
       {"a", "\xC3\xA9", "\xE6\xBC\xA2", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD"})
    for (std::size_t bytes = 0; bytes <= character.size(); ++bytes) {
      const std::string title = "\xC3\xA9" + character.substr(0, bytes);
      const std::vector<char> copy(title.begin(), title.end());
      EXPECT_EQ(modHideWin::WholeCharacters({copy.data(), copy.size()}, true),
                bytes < character.size() ? 2 : title.size())
          << title;
    }
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

TEST(Outcome, SaysWhyACommandHadNoEffectWithoutWaitingOnTheWindow) {
  const frmHideControls form{{}, HwndFromLong(1), {}, {}, {}};
  constexpr DWORD kMedium = 0x2000, kHigh = 0x3000;
  // thread 3: the handle is another thread's window now. `says` is in the
  // notice; "": no notice. A window that closed, hangs or refuses, at equal
  // levels, is the Wine notices' (tests/e2e/notice_test.cpp).
  const struct {
    bool iconic, answers;
    DWORD thread, own, target; // integrity levels: ours, the target's
    const char *says;
  } cases[] = {
      {true, false, 1, kMedium, kHigh, ""},
      {false, true, 3, kMedium, kMedium, "has closed"},
      {false, false, 1, kMedium, kHigh, "runs as administrator"},
      {false, true, 1, kMedium, kIntegrityUnknown, "runs as administrator"},
      {false, true, 1, kNoIntegrityLevels, kIntegrityUnknown, "not allow"},
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
    EXPECT_EQ(TakeOutcome({form.Form, form.List1}, notice), *c.says != '\0')
        << c.says;
    EXPECT_STREQ(notice.title.data(), *c.says ? "MiniMize had no effect" : "");
    EXPECT_NE(std::string(notice.text.data()).find(c.says), std::string::npos)
        << c.says;
    EXPECT_EQ(notice.offersRestart,
              c.says == std::string("runs as administrator"));
  }
}

// A width of one a byte but a UTF-8 lead byte: a CJK character is twice as
// wide as a letter, and a cut one narrower. Under Wine a cut character is
// never narrower, so only here does a cut inside one show; the Wine tests
// show the cut and the ellipsis (tests/e2e/notice_test.cpp).
TEST(Outcome, CutsATitleTooWideForTheNoticeAtAWholeCharacter) {
  struct Bytes final : TextWidth {
    int Of(std::string_view text) const override {
      return static_cast<int>(std::count_if(
          text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0xC0; }));
    }
  } measure;
  const std::string kan = "\xE6\xBC\xA2"; // in UTF-8, three bytes
  Notice notice{};
  ComposeNotice(notice, "MiniMize", kan + kan + kan + kan + kan,
                Outcome::Closed);
  FitNotice(notice, 10, true, measure);
  EXPECT_EQ(notice.text.data(), "\"" + kan + kan + "...\" has closed.");
}

namespace {

// Window 1 is the target label, naming window 2, which is on top.
const frmHideControls kKeeperForm{{}, HwndFromLong(1), {}, {}, {}};
const std::string kTakeAway = "pos 2 after -2 flags 16403";

void KeepTheBanner(Taming &taming) {
  windows = {{true, false, 0, 0, "Banner 2", 8},
             {true, false, 0, 0, "Banner", 6, 0x108}};
  unanswered.clear();
  trace.clear();
  mnuKeepOffTop_Click(kKeeperForm, taming);
}

} // namespace

TEST(KeepOffTop, TakesTheStateAwayWheneverItComesBackOneRequestAtATime) {
  Taming taming;
  Keeper &keeper = taming.keeper;
  KeepTheBanner(taming);
  EXPECT_EQ(trace,
            (std::vector<std::string>{"timer 15", kTakeAway, "timer 1000"}));
  // Unanswered, as a hung window leaves it: no second request.
  trace.clear();
  for (int check = 0; check < 5; ++check)
    keeper.Check();
  EXPECT_EQ(trace, std::vector<std::string>{});
  windows[1].exStyle = 0x100;
  AnswerAll();
  keeper.Check();
  windows[1].exStyle = 0x108; // it takes the state back
  keeper.Check();
  EXPECT_EQ(trace, std::vector<std::string>{kTakeAway});
  // Chosen again: the keeping stops, nothing is given back, no more checks.
  trace.clear();
  mnuKeepOffTop_Click(kKeeperForm, taming);
  EXPECT_EQ(trace, std::vector<std::string>{"timer off"});
}

TEST(KeepOffTop, ForgetsAClosedWindowThoughANewOneGetsItsHandle) {
  for (const DWORD thread : {0, 2}) { // closed; reused by another thread
    Taming taming;
    Keeper &keeper = taming.keeper;
    KeepTheBanner(taming);
    windows[1].thread = thread;
    trace.clear();
    EXPECT_TRUE(keeper.Check().forgotten);
    EXPECT_EQ(trace, std::vector<std::string>{"timer off"}) << thread;
  }
}

TEST(KeepOffTop, KeepsAsManyWindowsAsAUserWould) {
  Taming taming;
  Keeper &keeper = taming.keeper;
  windows.assign(Keeper::kCapacity + 1, FakeWindow{});
  for (std::size_t i = 1; i <= windows.size(); ++i)
    keeper.Keep(HwndFromLong(LONG(i)), Direction::OffTop);
  EXPECT_TRUE(keeper.IsKept(HwndFromLong(LONG(Keeper::kCapacity))));
  EXPECT_FALSE(keeper.IsKept(HwndFromLong(LONG(windows.size()))));
}

TEST(Rules, AStoreAppsRuleCatchesTheFramesOfThatAppAlone) {
  // Process 10 is the frame host; its frames show the content of the app
  // of process 20, of another app, and of none (a suspended app's content
  // has left its frame).
  processPaths = {{10, "C:\\Windows\\System32\\ApplicationFrameHost.exe"},
                  {20, "C:\\Program Files\\WindowsApps\\Calc\\Calc.exe"},
                  {30, "C:\\Program Files\\WindowsApps\\Notes\\Notes.exe"}};
  const FakeWindow frame{true, false, 0, 0,     "Calc",
                         4,    0x108, 1, false, kFrameHostClass};
  const FakeWindow content{true, false, 1, 0,     "",
                           0,    0,     2, false, kStoreContentClass};
  windows = {frame, content, frame, content, frame};
  windows[3].parent = 3;
  windows[3].thread = 3; // another app's content, in frame 3
  Rule calc{};
  std::strcpy(calc.path.data(),
              "c:\\program files\\windowsapps\\calc\\calc.exe");
  std::strcpy(calc.windowClass.data(), kFrameHostClass);
  calc.direction = Direction::OffTop;
  Taming taming;
  trace.clear();
  taming.watcher.SetRules(&calc, 1, taming.keeper);
  EXPECT_EQ(trace, (std::vector<std::string>{
                       "timer 15", "pos 1 after -2 flags 16403", "timer 100"}));
  // The suspended app's content comes back to its frame.
  windows.push_back(content);
  windows.back().parent = 5;
  trace.clear();
  taming.watcher.Check(taming.keeper);
  EXPECT_EQ(trace, std::vector<std::string>{"pos 5 after -2 flags 16403"});
}
