// The list's rows as the screen shows them: each entry's text as its
// application wrote it, held against the same text drawn here in the list's
// font and colours, selected or not; and the marks, read off the screen. At
// the display's DPI and after a change of it, with the layout.
#include "suite.h"

#include "resource.h"

#include <algorithm>

extern "C" __declspec(dllimport) BOOL WINAPI
    SystemParametersInfoForDpi(UINT action, UINT param, void *value, UINT ini,
                               UINT dpi);

namespace e2e {
namespace {

// The list's font: the system's message font for `dpi`, as the program
// asks for it.
HFONT ListFont(int dpi) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics,
                             0, dpi);
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

// Every role's row, unselected and selected, as its entry drawn here in the
// list's font and colours at `dpi`: its text right of the mark's cell, a
// square at the row's left, and inside the focus rectangle's pixel. The CJK
// row also shows glyphs, not the box of a character that no font has. The
// mark: down for `kept`, else up for a window on top now.
void CheckRows(const Suite &suite, int dpi, HWND kept) {
  const Tamer &t = suite.tamer;
  const HFONT font = ListFont(dpi);
  for (const bool selected : {false, true})
    for (const fixture::Role &role : fixture::kRoles) {
      const std::wstring entry = Wide(suite.Entry(role.name));
      const int index = IndexOf(t, suite.Entry(role.name));
      Context(std::string(selected ? "selected " : "") + "row of " + role.name +
              " at " + std::to_string(dpi) + " DPI");
      if (index < 0 || !Send(t.list, LB_SETCURSEL, selected ? index : -1))
        continue;
      const COLORREF paper =
          GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
      const COLORREF ink =
          GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
      Image row = RowShown(t, index);
      const SIZE size = {row.width, row.height};
      const RECT text = {size.cy, 1, size.cx - 1, size.cy - 1};
      const auto drawn = [&](const std::wstring &wide) {
        return Ink(Drawn(size, {size.cy, 0, size.cx, size.cy}, font, wide,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                         ink, paper),
                   paper, text);
      };
      // Wine copies the list's pixels to the X server in its own time.
      const Image expected = drawn(entry);
      Image shown;
      WaitUntil([&] {
        row = RowShown(t, index);
        return (shown = Ink(row, paper, text)) == expected;
      });
      CHECK_EQ(expected, shown);
      const HWND window = suite.Role(role.name);
      CHECK_EQ(window == kept      ? 'D'
               : IsTopmost(window) ? 'U'
                                   : ' ',
               MarkIn(row));
      std::wstring boxes = entry;
      for (wchar_t &c : boxes)
        c = c >= 0x3400 && c < 0xA000 ? 0xE000 : c; // private use: no glyph
      CHECK(role.name != std::string("cjk300") || !(drawn(boxes) == shown));
    }
  Send(t.list, LB_SETCURSEL, static_cast<WPARAM>(-1));
  DeleteObject(font);
}

} // namespace

Image RowShown(const Tamer &t, int index) {
  SendMessageA(t.list, LB_SETTOPINDEX, index, 0);
  UpdateWindow(t.list);
  Answers(t.form);
  RECT row = {};
  SendMessageA(t.list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row));
  MapWindowPoints(t.list, nullptr, reinterpret_cast<POINT *>(&row), 2);
  return Grab(row);
}

char MarkIn(const Image &row) {
  // The mark's cell is the square at the row's left, less a pixel for the
  // focus rectangle. An arrow is narrower at its tip; a bar is lines of one
  // width above the narrow tip of an arrow up.
  const COLORREF paper = row.At(1, 1);
  const Image mark = Ink(row, paper, {1, 1, row.height - 1, row.height - 1});
  std::vector<long> widths; // of the lines that have ink
  for (int y = 0; y < mark.height; ++y)
    if (const long width =
            std::count_if(mark.pixels.begin() + y * mark.width,
                          mark.pixels.begin() + (y + 1) * mark.width,
                          [&](COLORREF c) { return c != paper; }))
      widths.push_back(width);
  if (widths.size() < 2)
    return widths.empty() ? ' ' : '?';
  std::size_t bar = 0;
  while (bar < widths.size() && widths[bar] == widths.front())
    ++bar;
  if (bar + 1 < widths.size() && widths[bar] < widths.front() &&
      widths[bar] < widths.back())
    return 'K';
  const long tip = widths.front() - widths.back();
  return tip < 0 ? 'U' : tip > 0 ? 'D' : '?';
}

bool ShowsMark(const Tamer &t, HWND window, char mark) {
  const int index = IndexOf(t, EntryOf(window));
  return index >= 0 &&
         WaitUntil([&] { return MarkIn(RowShown(t, index)) == mark; });
}

void TestRows(Suite &suite) {
  const Tamer &t = suite.tamer;
  const HWND banner = suite.Role("banner");
  const std::string dpi = std::to_string(suite.dpi);
  // The banner, the target, kept on top and then off top: its marks, and
  // screenshots of them if named.
  const auto turn = [&](const std::string &shot) {
    CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOnTop) &&
          ShowsMark(t, banner, 'K'));
    CHECK(shot.empty() || Screenshot("marks-kept-on-top-" + shot));
    CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop) &&
          WaitUntil([&] { return !IsTopmost(banner); }) &&
          ShowsMark(t, banner, 'D'));
    CHECK(shot.empty() || Screenshot("marks-kept-" + shot));
  };
  CHECK(Press(t.tasks));
  CheckRows(suite, suite.dpi, nullptr);
  Screenshot("marks-" + dpi);
  Context("the banner kept on top, then off top, at " + dpi + " DPI");
  CHECK(Target(t, banner));
  turn(dpi);

  // Laid out anew after a change of DPI, and again after the change back.
  const LRESULT height = SendMessageA(t.list, LB_GETITEMHEIGHT, 0, 0);
  for (const int to : {suite.dpi * 3 / 2, suite.dpi}) {
    Context("layout after a change to " + std::to_string(to) + " DPI");
    if (!CHECK(ChangeDpi(t, to)))
      continue;
    CheckLayout(t, to);
    // Fonts do not scale in proportion: taller rows, then as before.
    const LRESULT now = SendMessageA(t.list, LB_GETITEMHEIGHT, 0, 0);
    CHECK(to == suite.dpi ? now == height : now > height);
    CheckRows(suite, to, banner);
    turn("");
  }
  Context("kept no more at " + dpi + " DPI");
  CHECK(Send(t.form, WM_COMMAND, IDM_mnuKeepOffTop));
  CHECK(Send(t.form, WM_COMMAND, IDM_mnuAlwaysOnTop) &&
        WaitUntil([&] { return IsTopmost(banner); }) &&
        ShowsMark(t, banner, 'U'));
}

} // namespace e2e
