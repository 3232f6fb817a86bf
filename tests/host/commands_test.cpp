#include <algorithm>

#include "desktop_fixture.h"
#include "modHideWin.h"

using memdesk::Op;
using memdesk::ShowState;
using platform::HWND;

namespace {

class CommandsTest : public DesktopTest {
protected:
  void Select(int index) {
    desk.SelectItem(form.List1, index);
    List1_Click(form);
  }

  void ExpectTarget(const std::string &text, bool buttonsEnabled) {
    EXPECT_EQ(desk.At(form.lblOPut).title, text);
    EXPECT_EQ(desk.At(form.Command1).enabled, buttonsEnabled);
    EXPECT_EQ(desk.At(form.Command5).enabled, buttonsEnabled);
  }

  bool Used(Op op, HWND hwnd) {
    const std::vector<Op> ops = desk.OpsOn(hwnd);
    return std::find(ops.begin(), ops.end(), op) != ops.end();
  }
};

TEST_F(CommandsTest, SelectingMakesTheEntryTheTargetAndEnablesShowing) {
  const HWND lower = Open("Lower");
  const HWND editor = Open("Editor");
  cmdTasks_Click(form);

  List1_Click(form); // nothing selected yet
  ExpectTarget("", false);

  Select(1);
  ExpectTarget(EntryOf("Lower", lower), true);
  Select(0);
  ExpectTarget(EntryOf("Editor", editor), true);

  desk.SelectItem(form.List1, -1);
  List1_Click(form);
  ExpectTarget(EntryOf("Editor", editor), true);

  // Longer than any entry: not ours, and it must not overrun the copy.
  Entries().push_back(std::string(modHideWin::kMaxEntry + 1, 'x'));
  Select(2);
  ExpectTarget(EntryOf("Editor", editor), true);
}

TEST_F(CommandsTest, RefillingAndNarrowingKeepTheTarget) {
  const HWND editor = Open("Editor");
  Open("Other");
  cmdTasks_Click(form);
  Select(1);

  cmdTasks_Click(form);
  ExpectTarget(EntryOf("Editor", editor), true);
  Command2_Click(form);
  ExpectTarget(EntryOf("Editor", editor), true);
  EXPECT_EQ(desk.ListBox(form.List1).cursel, -1);
}

TEST_F(CommandsTest, LocateTopMostLeavesOnlyTheFirstEntry) {
  const struct {
    const char *what;
    std::vector<memdesk::WindowSetup> windows; // bottom first
    std::vector<std::string> titles;
  } cases[] = {
      {"banner above others",
       {{.title = "Ad Banner", .topmost = true},
        {.title = "A"},
        {.title = "B"}},
       {"Ad Banner"}},
      {"one qualifying", {{.title = "A"}, {.visible = false}}, {"A"}},
      {"none qualifying", {{}, {.title = "Hidden", .visible = false}}, {}},
  };
  for (const auto &c : cases) {
    NewDesktop();
    std::vector<std::string> expected;
    for (const auto &setup : c.windows) {
      const HWND hwnd = desk.CreateTopLevel(setup);
      if (!c.titles.empty() && setup.title == c.titles[0])
        expected = {EntryOf(setup.title, hwnd)};
    }

    Command2_Click(form);

    const memdesk::ListBoxState &list = desk.ListBox(form.List1);
    EXPECT_EQ(list.items, expected) << c.what;
    EXPECT_EQ(list.updatesWhileRedrawOn, 0) << c.what;
    EXPECT_TRUE(list.redraw) << c.what;
    EXPECT_EQ(list.invalidations, 1) << c.what;
  }
}

TEST_F(CommandsTest, ShowCommandsActOnTheTargetAfterItLeavesTheList) {
  const HWND editor = desk.CreateTopLevel(
      {.title = "Editor", .show = memdesk::ShowState::Maximized});
  cmdTasks_Click(form);
  Select(0);
  platform::SetWindowTextA(editor, "");
  cmdTasks_Click(form);
  ASSERT_TRUE(Entries().empty());

  Command1_Click(form);
  EXPECT_EQ(desk.At(editor).show, ShowState::Minimized);
  Command5_Click(form);
  EXPECT_EQ(desk.At(editor).show, ShowState::Normal);
}

TEST_F(CommandsTest, DoubleClickMinimisesEvenWithTheButtonDisabled) {
  const HWND editor = Open("Editor");
  cmdTasks_Click(form);
  Select(0);
  platform::EnableWindow(form.Command1, platform::FALSE);
  List1_DblClick(form);
  EXPECT_EQ(desk.At(editor).show, ShowState::Minimized);
}

TEST_F(CommandsTest, TargetsThatNameNoWindowChangeNothing) {
  const HWND editor =
      desk.CreateTopLevel({.title = "Editor", .show = ShowState::Maximized});
  const std::string garbage[] = {
      "",           "NoSpaceHere",
      "Editor",     "Editor 12abc",
      "Editor -",   "Editor 99999999999",
      "Editor 424", "Editor " + std::string(300, '1')};
  for (const std::string &text : garbage) {
    platform::SetWindowTextA(form.lblOPut, text.c_str());
    Command1_Click(form);
    Command5_Click(form);
    List1_DblClick(form);
    EXPECT_EQ(desk.At(editor).show, ShowState::Maximized) << text;
  }
  EXPECT_EQ(desk.Freezes(), 0);
}

TEST_F(CommandsTest, NeverWaitsOnAnotherThread) {
  constexpr platform::DWORD kBusy = 7;
  const struct {
    const char *what;
    platform::DWORD thread;
    bool hung;
    Op op;
    ShowState beforePump;
  } cases[] = {
      {"our own thread", kOwn, false, Op::ShowWindow, ShowState::Minimized},
      {"responsive thread", kBusy, false, Op::ShowWindowAsync,
       ShowState::Minimized},
      {"hung thread", kBusy, true, Op::ShowWindowAsync, ShowState::Normal},
  };
  for (const auto &c : cases) {
    NewDesktop();
    const HWND window =
        desk.CreateTopLevel({.title = "Window", .thread = c.thread});
    desk.SetHung(kBusy, c.hung);
    cmdTasks_Click(form);
    Select(0);

    Command1_Click(form);
    EXPECT_TRUE(Used(c.op, window)) << c.what;
    EXPECT_EQ(desk.At(window).show, c.beforePump) << c.what;
    desk.PumpThread(c.thread);
    EXPECT_EQ(desk.At(window).show, ShowState::Minimized) << c.what;
    EXPECT_EQ(desk.Freezes(), 0) << c.what;
  }
}

} // namespace
