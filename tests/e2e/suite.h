// The end-to-end cases: the real program beside the fixture's windows,
// checked against what the window manager reports.
#pragma once

#include "check.h"
#include "desktop.h"
#include "fixture.h"
#include "screen.h"
#include "tamer.h"
#include "tray.h"

namespace e2e {

using namespace harness;

struct Suite {
  std::string program; // TopmostTamer.exe
  std::string fixture; // fixture.exe
  int dpi = 96;
  // Stopped in the reverse order: the program, the fixture, the tray.
  Tray tray;
  harness::Program roles; // the fixture's "roles" process
  Tamer tamer;

  // The window of role `name` (see fixture.h).
  HWND Role(const char *name) const {
    return WindowOf(roles.Id(), ("fixture." + std::string(name)).c_str(),
                    nullptr);
  }
  std::string Entry(const char *name) const {
    return harness::EntryOf(Role(name));
  }
  // How many of the fixture's windows are minimised.
  int Iconic() const {
    int iconic = 0;
    for (const fixture::Role &role : fixture::kRoles)
      iconic += IsIconic(Role(role.name)) != FALSE;
    return iconic;
  }
};

// Real input: "mousemove X Y " to the middle of `rect` in client coordinates
// of `hwnd` (all of its client area if empty), or to entry `index` of the
// list, scrolled into view.
std::string At(HWND hwnd, RECT rect = {});
std::string AtEntry(HWND list, int index);
// The dark pixels of `image`, each as y * 0x10000 + x, in rising order; of
// `window` on the screen inside a margin of 4 pixels (none while it is
// hidden); and those in bands: runs of rows (or of columns) that fewer than
// `gap` blank lines part, each as its bounding box.
std::vector<LONG> Dark(const Image &image);
std::vector<LONG> Ink(HWND window);
std::vector<RECT> Bands(std::vector<LONG> ink, bool rows, int gap);
// The program's popup menu, if one is open; real input `xdo` that opens it
// (shown and painted), or `key` that chooses an item or closes it.
HWND Menu();
bool OpenMenu(const std::string &xdo);
bool Choose(const std::string &key);
// The open menu's items that show ink (a grayed one shows none), top to
// bottom: the middle of each on the screen, and whether it is checked (ink
// left of where the first one's starts); whether item `row` is checked; and
// a click on it, true once the menu has closed.
struct MenuRow {
  POINT middle;
  bool checked;
};
std::vector<MenuRow> MenuRows();
bool Checked(std::size_t row);
bool ChooseRow(std::size_t row);

// Row `index` of the list as the screen shows it, scrolled into view and
// painted; the mark in such a row: 'U' an arrow up, 'K' an arrow up under a
// bar, 'D' an arrow down, ' ' none, '?' anything else; and whether the row of
// `window` shows `mark` once the screen has caught up with the paint (Wine
// copies a window's pixels to the X server in its own time).
Image RowShown(const Tamer &t, int index);
char MarkIn(const Image &row);
bool ShowsMark(const Tamer &t, HWND window, char mark);
// Real input that opens the list's menu on the entry of `window`; the
// longest of some times.
std::string MenuAt(const Tamer &t, HWND window);

// Ends the program by its Exit button; and starts it again after.
bool Exit(Tamer &t);
bool Restart(Suite &suite);

// The application-data folder of the programs that the suite starts, a
// scratch folder of the run's, and the rules file in it: Windows paths, as
// is `unixPath` through Wine's Z: drive. A rule's line, as the file holds
// it, for the fixture role `role`'s class in the application at `path`.
std::string AppData();
std::string RulesFile();
std::string WindowsPath(std::string unixPath);
std::string RuleLine(const char *direction, const std::string &path,
                     const char *role);

// The form's client area and every control's place, as designed, at `dpi`.
void CheckLayout(const Tamer &t, int dpi);
// The window as it opens, laid out for the display's DPI.
void TestOpening(Suite &suite);
void TestFillAndLocate(Suite &suite);
void TestPlantedDlls(Suite &suite);
void TestTargets(Suite &suite);
void TestHung(Suite &suite);
void TestRealInput(Suite &suite);
void TestContextMenu(Suite &suite);
// The rows' text and marks as the screen shows them, and the layout, at the
// display's DPI and after a change of DPI and back.
void TestRows(Suite &suite);
void TestKeepOffTop(Suite &suite);
void TestRules(Suite &suite);
void TestNotices(Suite &suite);
void TestIcon(Suite &suite);
void TestIconMenu(Suite &suite);
void TestSignIn(Suite &suite);
void TestTaskbarCreated(Suite &suite);

void TestBulk(Suite &suite);
void TestChurn(Suite &suite);
void TestLeaks(Suite &suite);

void Demo(Suite &suite);

// The rules file, written by saver.exe beside `fixture`.
void TestRulesFile(const std::string &fixture);

} // namespace e2e
