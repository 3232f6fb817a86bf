// Rules by real right-clicks and clicks: a keeping remembered for the
// banner's application and class, applied after a restart of the program
// and to a new banner of that application, never to another class of it or
// to that class in another application; the user's own choice winning over
// a rule; Keep On Top remembered; a rule removed from the Rules menu in two
// clicks, for good; and a damaged rules file read as far as it goes and kept
// aside.
#include "suite.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

std::string Slashed(std::string path) {
  for (char &c : path)
    if (c == '/')
      c = '\\';
  return path;
}

bool Holds(const std::string &text, const std::string &line) {
  return text.find(line) != std::string::npos;
}

// The runs of lines of `area` (screen coordinates) that hold anything but
// the colour of its top-left pixel, as [first, last] pairs: of rows, or of
// columns; a gap of fewer than `gap` lines does not end a run.
std::vector<std::pair<int, int>> InkRuns(const RECT &area, bool rows, int gap) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  const COLORREF background = GetPixel(dc, 0, 0);
  std::vector<std::pair<int, int>> runs;
  const int lines = rows ? height : width, across = rows ? width : height;
  for (int line = 0, blank = gap; line < lines; ++line) {
    bool ink = false;
    for (int i = 0; i < across && !ink; ++i)
      ink = GetPixel(dc, rows ? i : line, rows ? line : i) != background;
    if (!ink) {
      ++blank;
      continue;
    }
    if (blank >= gap)
      runs.push_back({line, line});
    runs.back().second = line;
    blank = 0;
  }
  DeleteDC(dc);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  for (auto &run : runs) {
    const LONG origin = rows ? area.top : area.left;
    run = {run.first + origin, run.second + origin};
  }
  return runs;
}

// Two clicks: "Rules" on the menu bar, the second of its words, then line
// `line` of the menu that opens (0, its first line, says what a click does);
// with a screenshot of the open menu, if named.
bool ClickRule(const Tamer &t, int line, const std::string &shot = "") {
  POINT client = {0, 0};
  ClientToScreen(t.form, &client);
  RECT frame;
  GetWindowRect(t.form, &frame);
  // The menu bar, less a margin for the lines around it.
  const RECT bar = {frame.left + 4, client.y - GetSystemMetrics(SM_CYMENU) + 3,
                    frame.right - 4, client.y - 3};
  const auto words = InkRuns(bar, false, 6);
  if (words.size() < 2)
    return false;
  const std::string x = std::to_string((words[1].first + words[1].second) / 2),
                    y = std::to_string((bar.top + bar.bottom) / 2);
  if (!OpenMenu("mousemove " + x + " " + y + " click 1"))
    return false;
  if (!shot.empty())
    Screenshot(shot);
  RECT menu;
  GetWindowRect(Menu(), &menu);
  InflateRect(&menu, -3, -3);
  const auto lines = InkRuns(menu, true, 1);
  if (static_cast<int>(lines.size()) <= line)
    return false;
  return Xdo("mousemove " + std::to_string((menu.left + menu.right) / 2) + " " +
             std::to_string((lines[line].first + lines[line].second) / 2) +
             " click 1") &&
         WaitUntil([] { return Menu() == nullptr; });
}

// The rules file once the program has dealt with what came before.
std::string Rules(const Tamer &t) {
  return Answers(t.form) ? FileText(RulesFile()) : "";
}

OnTopSample Sample(HWND window) { return SampleOnTop(window, 500); }

} // namespace

std::string FileText(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

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

std::string AppData() { return "Z:" + Slashed(WorkDir()) + "\\appdata"; }
std::string RulesFile() { return AppData() + "\\Topmost Tamer\\rules.txt"; }

void TestRules(Suite &suite) {
  Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner"), digits = suite.Role("digits");
  const std::string offTop = RuleLine("keep-off-top", suite.fixture, "banner");
  Context("Keep Off Top remembered for the banner's application and class");
  CHECK(Send(banner, fixture::kReassert, 100) && Press(t.tasks));
  CHECK(OpenMenu(MenuAt(t, banner)) && Choose("k"));
  CHECK(OpenMenu(MenuAt(t, banner)) && Screenshot("remember-96") &&
        Choose("e"));
  CHECK(Holds(Rules(t), offTop));

  Context("after a restart, the banner still on top is off it in 250 ms");
  CHECK(Exit(t) && WaitUntil([&] { return IsTopmost(banner); }));
  CHECK(t.Start(suite.program));
  CHECK(WaitUntil([&] { return !IsTopmost(banner); }, 250));
  CHECK(Press(t.tasks));
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

  Context("Keep On Top remembered for a window that drops the state");
  CHECK(Send(digits, fixture::kDrop, 100));
  CHECK(OpenMenu(MenuAt(t, digits)) && Choose("n"));
  CHECK(OpenMenu(MenuAt(t, digits)) && Choose("e"));
  CHECK(Holds(Rules(t), RuleLine("keep-on-top", suite.fixture, "digits")));
  CHECK(Restart(suite));
  CHECK(WaitUntil([&] { return IsTopmost(digits); }, 250));
  const OnTopSample kept = SampleOnTop(digits, 1000);
  CHECK(kept.dropsMs.size() >= 5 && Longest(kept.dropsMs) <= 250);

  Context("the rules removed from the Rules menu, two clicks each, for good");
  // The banner's, then the other.
  CHECK(ClickRule(t, 1, "rules-menu-96") && ClickRule(t, 1));
  const std::string left = Rules(t);
  CHECK_EQ(std::string("topmost-tamer=1\r\nhide-when-minimized=no\r\n"),
           left.substr(std::min(left.find("topmost"), left.size())));
  CHECK(Sample(banner).share == 1.0 && Restart(suite));
  CHECK(Sample(banner).share == 1.0);
  CHECK(Send(banner, fixture::kReassert, 0) && Send(digits, fixture::kDrop, 0));
  SetWindowPos(digits, HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TestDamagedRules(Suite &suite) {
  Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner");
  Context("a damaged rules file: what can be read is kept, the file aside");
  // A rule, then a line that no version writes, cut short.
  const std::string damaged =
      "topmost-tamer=1\n" + RuleLine("keep-off-top", suite.fixture, "banner") +
      std::string("keep-sideways=\0\xff", 17);
  CHECK(Exit(t));
  std::ofstream(RulesFile(), std::ios::binary) << damaged;
  CHECK(t.Start(suite.program));
  CHECK(WaitUntil([&] { return !IsTopmost(banner); }, 250));
  std::string notice;
  CHECK(WaitUntil([&] { return !(notice = NoticeText(t)).empty(); }));
  CHECK(notice.find("could not read all of") != std::string::npos &&
        notice.find("keeps the 1 rule") != std::string::npos);
  // The damaged file is aside: the rules file's own test holds such files
  // byte for byte against what was written.
  WIN32_FIND_DATAA aside;
  const HANDLE found = FindFirstFileA(
      (AppData() + "\\Topmost Tamer\\rules (damaged*").c_str(), &aside);
  CHECK(found != INVALID_HANDLE_VALUE);
  FindClose(found);
  // The rule goes, as it came.
  CHECK(ClickRule(t, 1) && WaitUntil([&] { return NoticeOf(t) == nullptr; }));
  SetWindowPos(banner, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace e2e
