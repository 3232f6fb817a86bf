// Rules by real right-clicks and clicks: a keeping remembered for the
// banner's application and class, applied after a restart of the program
// and to a new banner of that application, never to another class of it or
// to that class in another application; the user's own choice winning over
// a rule; Keep On Top remembered; a rule removed from the Rules menu in two
// clicks, for good; and a rules file damaged after a rule read as far as it
// goes, with a notice.
#include "suite.h"

#include <algorithm>

namespace e2e {
namespace {

bool Holds(const std::string &text, const std::string &line) {
  return text.find(line) != std::string::npos;
}

// Two clicks: "Rules" on the menu bar, the second of its words, then the
// first rule on the menu that opens (its first line, which says what a click
// does, is grayed: it shows no ink); with a screenshot of the open menu, if
// named.
bool ClickRule(const Tamer &t, const std::string &shot = "") {
  POINT client = {0, 0};
  ClientToScreen(t.form, &client);
  RECT frame;
  GetWindowRect(t.form, &frame);
  // The menu bar, less a margin for the lines around it.
  const RECT bar = {frame.left + 4, client.y - GetSystemMetrics(SM_CYMENU) + 3,
                    frame.right - 4, client.y - 3};
  const std::vector<RECT> words = Bands(Dark(Grab(bar)), false, 6);
  if (words.size() < 2 ||
      !OpenMenu(
          "mousemove " +
          std::to_string(bar.left + (words[1].left + words[1].right) / 2) +
          " " + std::to_string((bar.top + bar.bottom) / 2) + " click 1"))
    return false;
  return (shot.empty() || Screenshot(shot)) && ChooseRow(0);
}

// The rules file once the program has dealt with what came before.
std::string Rules(const Tamer &t) {
  return Answers(t.form) ? FileText(RulesFile()) : "";
}

OnTopSample Sample(HWND window) { return SampleOnTop(window, 500); }

} // namespace

std::string RuleLine(const char *direction, const std::string &path,
                     const char *role) {
  return std::string(direction) + "=" + path + "|fixture." + role + "\r\n";
}

bool Exit(Tamer &t) {
  Press(t.exit, 1000); // no answer: the process ends inside the click
  return t.program.Ended(kSettleMs);
}

bool Restart(Suite &suite) {
  return Exit(suite.tamer) && suite.tamer.Start(suite.program);
}

std::string WindowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}
std::string AppData() { return WindowsPath(WorkDir() + "/appdata"); }
std::string RulesFile() { return AppData() + "\\Topmost Tamer\\rules.txt"; }

void TestRules(Suite &suite) {
  Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner"), digits = suite.Role("digits");
  Context("Keep Off Top remembered for the banner's application and class");
  CHECK(Send(banner, fixture::kReassert, 100) && Press(t.tasks));
  CHECK(OpenMenu(MenuAt(t, banner)) && Choose("k"));
  CHECK(OpenMenu(MenuAt(t, banner)) && Screenshot("remember-96") &&
        Choose("e"));
  CHECK(Holds(Rules(t), RuleLine("keep-off-top", suite.fixture, "banner")));

  Context("after a restart, with the file damaged after the rule: the "
          "banner, still on top, is off it in 250 ms, and a notice says so");
  // A line that no version writes, cut short.
  const std::string damaged =
      Rules(t) + std::string("keep-sideways=\0\xff", 17);
  CHECK(Exit(t) && WaitUntil([&] { return IsTopmost(banner); }) &&
        WriteText(RulesFile(), damaged));
  CHECK(t.Start(suite.program));
  CHECK(WaitUntil([&] { return !IsTopmost(banner); }, 250));
  std::string notice;
  CHECK(WaitUntil([&] { return !(notice = NoticeText(t)).empty(); }));
  // The file aside, byte for byte: what the parser reads of every kind of
  // damage is its own test's (tests/host/settings_text_test.cpp).
  CHECK(Holds(notice, "It keeps the 1 rule that it could read, and kept the "
                      "damaged file as \"rules (damaged 1).txt\"."));
  CHECK_EQ(damaged,
           FileText(AppData() + "\\Topmost Tamer\\rules (damaged 1).txt"));
  CHECK(Press(t.tasks) && WaitUntil([&] { return NoticeOf(t) == nullptr; }));
  CHECK(ShowsMark(t, banner, 'D'));
  CHECK(Sample(banner).share < 0.5); // kept off, as it comes back

  Context("a new banner of the application is off top in 250 ms");
  Program second;
  CHECK(second.Start(suite.fixture, "banner", fixture::kSecondBanner, true));
  CHECK(WaitUntil([&] { return !IsTopmost(second.Window()); }, 250));
  second.Stop();

  Context("another class of it, and its class in another application, are "
          "left on top");
  const std::string other = AppData() + "\\other";
  Program copy;
  CHECK(CreateDirectoryA(other.c_str(), nullptr) &&
        CopyFileA(suite.fixture.c_str(), (other + "\\fixture.exe").c_str(),
                  FALSE) &&
        copy.Start(other + "\\fixture.exe", "banner", fixture::kSecondBanner,
                   true));
  CHECK_EQ(1.0, Sample(copy.Window()).share);
  CHECK_EQ(1.0, Sample(suite.Role("pinned")).share);
  copy.Stop();

  Context("the user's own choice wins for a ruled window, until it follows "
          "the rule again");
  CHECK(OpenMenu(MenuAt(t, banner)) && Choose("t"));
  CHECK(WaitUntil([&] { return IsTopmost(banner); }) &&
        Sample(banner).share == 1.0);
  CHECK(OpenMenu(MenuAt(t, banner)) && Choose("o"));
  CHECK(WaitUntil([&] { return !IsTopmost(banner); }, 250));

  Context("Keep On Top for a window that drops the state, remembered");
  // Each of its drops, every 100 ms, is over within 250 ms.
  const auto keptOnTop = [&] {
    const OnTopSample kept = SampleOnTop(digits, 1000);
    return kept.dropsMs.size() >= 5 &&
           *std::max_element(kept.dropsMs.begin(), kept.dropsMs.end()) <= 250;
  };
  CHECK(Send(digits, fixture::kDrop, 100));
  CHECK(OpenMenu(MenuAt(t, digits)) && Choose("n") && keptOnTop());
  CHECK(OpenMenu(MenuAt(t, digits)) && Choose("e"));
  CHECK(Holds(Rules(t), RuleLine("keep-on-top", suite.fixture, "digits")));
  CHECK(Restart(suite));
  CHECK(WaitUntil([&] { return IsTopmost(digits); }, 250) && keptOnTop());

  Context("the rules removed from the Rules menu, two clicks each, for good");
  // The banner's, then the other.
  CHECK(ClickRule(t, "rules-menu-96") && ClickRule(t));
  CHECK_EQ(std::string("# Topmost Tamer: the windows it keeps on top or off "
                       "top, and its settings.\r\n# A rule: keep-off-top= or "
                       "keep-on-top=, the application's full path, '|' and "
                       "the window class.\r\ntopmost-tamer=1\r\n"
                       "hide-when-minimized=no\r\n"),
           Rules(t));
  CHECK(Sample(banner).share == 1.0 && Restart(suite));
  CHECK(Sample(banner).share == 1.0);
  CHECK(Send(banner, fixture::kReassert, 0) && Send(digits, fixture::kDrop, 0));
  SetWindowPos(digits, HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace e2e
