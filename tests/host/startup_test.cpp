// The command line (its switches, and the sign-in command read back), the
// icon's tip, and the icon's messages: those that a tray under Wine never
// sends, for the keyboard and for a monitor left of the primary one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "notification_icon.h"

TEST(ParseSwitches, FindsKnownSwitchesInAnyCaseAndIgnoresTheRest) {
  const struct {
    std::string_view arguments;
    bool hidden, restart;
  } cases[] = {{"", false, false},
               {"-HIDDEN", true, false},
               {"\t/restart  \"/Hidden\" ", true, true},
               {"/hiddenx /unknown hidden restart / - \"", false, false}};
  for (const auto &c : cases) {
    const std::vector<char> copy(c.arguments.begin(), c.arguments.end());
    const Switches switches = ParseSwitches({copy.data(), copy.size()});
    EXPECT_TRUE(switches.hidden == c.hidden && switches.restart == c.restart)
        << c.arguments;
  }
}

TEST(SignInCommand, QuotesThePathSoThatWindowsFindsItAgain) {
  const std::string exe = "C:\\Program Files\\Topmost Tamer\\TopmostTamer.exe";
  std::vector<char> command(exe.size() + 11);
  // Its text is the Wine tests', as the registry holds it.
  ASSERT_TRUE(ComposeSignInCommand(exe, command.data(), command.size()));
  // One byte short: nothing written past the end, under ASan.
  command.pop_back();
  EXPECT_FALSE(ComposeSignInCommand(exe, command.data(), command.size()));
  const struct {
    std::string_view command, program;
  } cases[] = {
      {"  \"C:\\My Apps\\tt.exe\" /hidden", "C:\\My Apps\\tt.exe"},
      {"\"C:\\no end quote", "C:\\no end quote"},
      {"C:\\My Apps\\tt.EXE /hidden", "C:\\My Apps\\tt.EXE"},
      {"C:\\a.exe.old\\tt.exe", "C:\\a.exe.old\\tt.exe"},
      {"C:\\tools\\tt /hidden", "C:\\tools\\tt"},
      {"\"", ""},
  };
  for (const auto &c : cases) {
    const std::vector<char> copy(c.command.begin(), c.command.end());
    EXPECT_EQ(ProgramOf({copy.data(), copy.size()}), c.program) << c.command;
  }
}

// One rule: the Wine tests read the tip with none, and with one window kept
// and with none (tests/e2e/tray_test.cpp).
TEST(ComposeTip, CountsInTheirNumber) {
  char tip[kMaxTip];
  ComposeTip(tip, 2, 1);
  EXPECT_STREQ("Topmost Tamer: 2 windows kept, 1 rule", tip);
}

TEST(IconMessage, EnterShowsTheFormAndTheMenuOpensWhereTheShellSays) {
  using Kind = NotificationIcon::Request::Kind;
  // The event in the low word, the icon's ID in the high one; the anchor at
  // (-5, -10), x in the low word.
  const platform::WPARAM anchor = 0xFFF6FFFBu;
  EXPECT_EQ(
      NotificationIcon::Read(anchor, 0x10000 | platform::NIN_KEYSELECT).kind,
      Kind::ShowForm);
  const auto menu =
      NotificationIcon::Read(anchor, 0x10000 | platform::WM_CONTEXTMENU);
  EXPECT_TRUE(menu.kind == Kind::Menu && menu.x == -5 && menu.y == -10);
}
