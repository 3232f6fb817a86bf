#include <climits>

#include "MTaskList.h"
#include "desktop_fixture.h"

using memdesk::Op;
using platform::HWND;

namespace {

class EnumerationTest : public DesktopTest {
protected:
  void Fill() { MTaskList::FillTaskList(form.List1); }
};

TEST_F(EnumerationTest,
       ListsOnlyQualifyingWindowsAndStopsAtTheFirstFailedTest) {
  const std::vector<Op> visibility{Op::IsWindowVisible};
  const std::vector<Op> parent{Op::IsWindowVisible, Op::GetParent};
  const std::vector<Op> owner{Op::IsWindowVisible, Op::GetParent,
                              Op::GetWindowLongA};
  const std::vector<Op> all{Op::IsWindowVisible, Op::GetParent,
                            Op::GetWindowLongA, Op::GetWindowTextA};
  const HWND app = Open("App");
  const struct {
    const char *what;
    memdesk::WindowSetup setup;
    std::vector<Op> ops;
  } rows[] = {
      {"hidden", {.title = "Hidden", .visible = false}, visibility},
      {"owned pop-up",
       {.title = "Dialog", .owner = app, .popup = true},
       parent},
      {"owned overlapped", {.title = "Palette", .owner = app}, owner},
      {"untitled", {}, all},
      {"listed", {.title = "Plain"}, all},
  };
  std::vector<HWND> windows;
  for (const auto &row : rows)
    windows.push_back(desk.CreateTopLevel(row.setup));

  Fill();

  EXPECT_EQ(Entries(),
            (std::vector<std::string>{EntryOf("Plain", windows.back()),
                                      EntryOf("App", app)}));
  for (std::size_t i = 0; i < windows.size(); ++i)
    EXPECT_EQ(desk.OpsOn(windows[i]), rows[i].ops) << rows[i].what;
  EXPECT_EQ(desk.OpsOn(frm), owner) << "our own form";
  EXPECT_EQ(desk.OpsOn(form.lblOPut), std::vector<Op>{}) << "a child";
}

TEST_F(EnumerationTest, EntriesFollowTheZOrderAndCarryAnyHandle) {
  const HWND bottom =
      desk.CreateTopLevel({.title = "Bottom 1", .handle = INT32_MIN});
  const HWND banner = desk.CreateTopLevel(
      {.title = "Ad Banner", .topmost = true, .handle = -5});
  const HWND middle =
      desk.CreateTopLevel({.title = "Middle", .handle = INT32_MAX});
  const HWND duplicate = Open("Middle");
  const HWND longTitle = Open(std::string(300, 'L'));

  Fill();

  ASSERT_EQ(Entries(), (std::vector<std::string>{
                           EntryOf("Ad Banner", banner),
                           EntryOf(std::string(255, 'L'), longTitle),
                           EntryOf("Middle", duplicate),
                           EntryOf("Middle", middle),
                           EntryOf("Bottom 1", bottom),
                       }));
  const HWND expected[] = {banner, longTitle, duplicate, middle, bottom};
  for (std::size_t i = 0; i < Entries().size(); ++i)
    EXPECT_EQ(platform::HwndFromLong(modHideWin::HwndFromEntry(Entries()[i])),
              expected[i]);
}

TEST_F(EnumerationTest, RefillingKeepsOnlyTheLatestEnumeration) {
  const HWND first = Open("First");
  Fill();
  Fill();
  EXPECT_EQ(Entries(), std::vector<std::string>{EntryOf("First", first)});

  desk.Destroy(first);
  const HWND second = Open("Second");
  Fill();
  EXPECT_EQ(Entries(), std::vector<std::string>{EntryOf("Second", second)});
}

TEST_F(EnumerationTest, SkipsWindowsDestroyedWhileEnumerating) {
  const HWND last = Open("Last");
  const HWND selfDestroying = Open("Self");
  const HWND destroyedEarly = Open("Early");
  const HWND first = Open("First");
  desk.SetBeforeOffer([&](HWND offered) {
    if (offered == first)
      desk.Destroy(destroyedEarly);
    if (offered == selfDestroying)
      desk.Destroy(selfDestroying);
  });

  Fill();

  EXPECT_EQ(Entries(), (std::vector<std::string>{EntryOf("First", first),
                                                 EntryOf("Last", last)}));
  // Still offered, but the first test already fails.
  EXPECT_EQ(desk.OpsOn(destroyedEarly), std::vector<Op>{Op::IsWindowVisible});
}

TEST_F(EnumerationTest, CallbackContinuesWithAllBitsSetForEveryWindow) {
  const HWND app = Open("App");
  const HWND gone = Open("Gone");
  desk.Destroy(gone);
  const HWND windows[] = {
      app,
      desk.CreateTopLevel({.title = "Hidden", .visible = false}),
      desk.CreateTopLevel({.title = "Dialog", .owner = app, .popup = true}),
      desk.CreateTopLevel({.title = "Palette", .owner = app}),
      desk.CreateTopLevel({}),
      gone,
  };
  const auto list = reinterpret_cast<platform::LPARAM>(form.List1);
  for (const HWND hwnd : windows)
    EXPECT_EQ(MTaskList::EnumTaskProc(hwnd, list), -1)
        << platform::LongFromHwnd(hwnd);
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(EnumerationTest, FillsWithRedrawOffAndRepaintsOnceAfter) {
  for (const char *title : {"One", "Two", "Three"})
    Open(title);
  Fill();
  const memdesk::ListBoxState &list = desk.ListBox(form.List1);
  EXPECT_EQ(list.items.size(), 3u);
  EXPECT_EQ(list.updatesWhileRedrawOn, 0);
  EXPECT_TRUE(list.redraw);
  EXPECT_EQ(list.invalidations, 1);
}

} // namespace
