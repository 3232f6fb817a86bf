// The command line's text (its switches, and the command that starts the
// program at sign-in read back), the icon's tip and the icon's messages as
// the shell sends them: plain functions, for the cases a tray under Wine
// does not send, such as the keyboard's, and of any text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "command_line.h"
#include "notification_icon.h"

TEST(ParseSwitches, FindsKnownSwitchesInAnyCaseAndIgnoresTheRest) {
  const struct {
    std::string_view arguments;
    bool hidden, restart;
  } cases[] = {
      {"", false, false},
      {"/hidden", true, false},
      {"-HIDDEN", true, false},
      {"\t/restart  /Hidden ", true, true},
      {"\"/hidden\"", true, false},
      {"/hiddenx /unknown hidden restart", false, false},
      {"/ - \"", false, false},
  };
  for (const auto &c : cases) {
    const std::vector<char> copy(c.arguments.begin(), c.arguments.end());
    const Switches switches = ParseSwitches({copy.data(), copy.size()});
    EXPECT_EQ(switches.hidden, c.hidden) << c.arguments;
    EXPECT_EQ(switches.restart, c.restart) << c.arguments;
  }
}

TEST(SignInCommand, QuotesThePathAndReadsItBack) {
  const std::string exe = "C:\\Program Files\\Topmost Tamer\\TopmostTamer.exe";
  const std::string expected = "\"" + exe + "\" /hidden";
  std::vector<char> command(expected.size() + 1);
  ASSERT_TRUE(ComposeSignInCommand(exe, command.data(), command.size()));
  EXPECT_EQ(expected, command.data());
  EXPECT_EQ(exe, ProgramOf(command.data()));
  EXPECT_TRUE(ParseSwitches(command.data() + exe.size() + 2).hidden);
  // One byte short: nothing written past the end, under ASan.
  command.pop_back();
  EXPECT_FALSE(ComposeSignInCommand(exe, command.data(), command.size()));
}

TEST(ProgramOf, FindsTheProgramAsWindowsDoes) {
  const struct {
    std::string_view command, program;
  } cases[] = {
      {"  \"C:\\My Apps\\tt.exe\" /hidden", "C:\\My Apps\\tt.exe"},
      {"\"C:\\no end quote", "C:\\no end quote"},
      {"C:\\My Apps\\tt.EXE /hidden", "C:\\My Apps\\tt.EXE"},
      {"C:\\a.exe.old\\tt.exe", "C:\\a.exe.old\\tt.exe"},
      {"C:\\tools\\tt /hidden", "C:\\tools\\tt"},
      {"tt.exe", "tt.exe"},
      {" \t", ""},
      {"\"", ""},
  };
  for (const auto &c : cases) {
    const std::vector<char> copy(c.command.begin(), c.command.end());
    EXPECT_EQ(ProgramOf({copy.data(), copy.size()}), c.program) << c.command;
  }
}

TEST(ComposeTip, CountsWindowsAndRulesInTheirNumber) {
  const struct {
    std::size_t windows, rules;
    const char *tip;
  } cases[] = {
      {0, 0, "Topmost Tamer: 0 windows kept, 0 rules"},
      {1, 1, "Topmost Tamer: 1 window kept, 1 rule"},
      {2, 3, "Topmost Tamer: 2 windows kept, 3 rules"},
      {SIZE_MAX, SIZE_MAX,
       SIZE_MAX > 0xFFFFFFFFu
           ? "Topmost Tamer: 18446744073709551615 windows kept, "
             "18446744073709551615 rules"
           : "Topmost Tamer: 4294967295 windows kept, 4294967295 rules"},
  };
  for (const auto &c : cases) {
    char tip[kMaxTip];
    ComposeTip(tip, c.windows, c.rules);
    EXPECT_STREQ(c.tip, tip);
  }
}

TEST(IconMessage, ClickAndEnterShowTheFormMenuKeyAndRightClickOpenTheMenu) {
  using Kind = NotificationIcon::Request::Kind;
  // The anchor point left of and above the primary monitor, as the shell
  // packs it: x in the low word, y in the high word.
  const platform::WPARAM anchor = 0xFFF6FFFBu; // (-5, -10)
  const struct {
    platform::UINT event;
    Kind kind;
  } cases[] = {
      {platform::NIN_SELECT, Kind::ShowForm},
      {platform::NIN_KEYSELECT, Kind::ShowForm},
      {platform::WM_CONTEXTMENU, Kind::Menu},
      {platform::WM_LBUTTONUP, Kind::None},
  };
  for (const auto &c : cases) {
    // The icon's ID in the high word.
    const auto request = NotificationIcon::Read(anchor, 0x10000 | c.event);
    EXPECT_EQ(request.kind, c.kind) << c.event;
    if (c.kind == Kind::Menu) {
      EXPECT_TRUE(request.x == -5 && request.y == -10);
    }
  }
}
