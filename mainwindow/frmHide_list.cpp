#include "frmHide_list.h"

#include <algorithm>
#include <array>

#include "modHideWin.h"

namespace {

// Marlett's glyphs, with which the system draws its scroll arrows, in the
// colours the user chose: an arrow up for always on top (with a bar above it
// for kept on top), down for kept off top.
constexpr char kArrowUp = '5';

char GlyphOf(EntryMark mark) {
  switch (mark) {
  case EntryMark::OnTop:
  case EntryMark::KeptOnTop:
    return kArrowUp;
  case EntryMark::KeptOffTop:
    return '6';
  case EntryMark::None:
    break;
  }
  return 0;
}

// The bar above the up arrow for kept on top, as DrawText places the arrow
// centred in `cell` with the font selected in `dc`: as wide as the arrow, a
// quarter as thick as it is high, with the same gap below it. The arrow then
// moves down by the bar's thickness, so the two stay centred. An empty bar
// when the font cannot say.
RECT BarAbove(HDC dc, const RECT &cell) {
  GLYPHMETRICS glyph{};
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  TEXTMETRICA text{};
  SIZE advance{};
  if (GetGlyphOutlineA(dc, static_cast<unsigned char>(kArrowUp), GGO_METRICS,
                       &glyph, 0, nullptr, &identity) == GDI_ERROR ||
      !GetTextMetricsA(dc, &text) ||
      !GetTextExtentPoint32A(dc, &kArrowUp, 1, &advance))
    return {};
  const int left = cell.left + (cell.right - cell.left - advance.cx) / 2 +
                   glyph.gmptGlyphOrigin.x;
  const int baseline =
      cell.top + (cell.bottom - cell.top - text.tmHeight) / 2 + text.tmAscent;
  const int inkTop = baseline - glyph.gmptGlyphOrigin.y;
  const int thickness = std::max(1, static_cast<int>(glyph.gmBlackBoxY) / 4);
  return {left, inkTop - thickness, left + static_cast<int>(glyph.gmBlackBoxX),
          inkTop};
}

} // namespace

void DrawListRow(const DRAWITEMSTRUCT &item, const Keeper &keeper,
                 const frmHideFonts &fonts) {
  const HDC dc = item.hDC;
  const RECT row = item.rcItem;
  std::array<char, modHideWin::kMaxEntry + 1> text{};
  // The list only ever holds entries; anything longer is not one of ours.
  if (item.itemID != static_cast<UINT>(-1) &&
      SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0) <=
          static_cast<LRESULT>(modHideWin::kMaxEntry)) {
    SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID,
                 reinterpret_cast<LPARAM>(text.data()));
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &row,
             GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(
        dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT cell = {row.left, row.top, row.left + (row.bottom - row.top),
                 row.bottom};
    const EntryMark mark = MarkOf(text.data(), keeper);
    if (const char glyph = GlyphOf(mark)) {
      const HGDIOBJ old = SelectObject(dc, fonts.marks);
      RECT arrow = cell;
      if (mark == EntryMark::KeptOnTop) {
        const RECT bar = BarAbove(dc, cell);
        OffsetRect(&arrow, 0, bar.bottom - bar.top);
        FillRect(dc, &bar,
                 GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT
                                           : COLOR_WINDOWTEXT));
      }
      // Its em is taller than the row; the ink lies in its middle.
      DrawTextA(dc, &glyph, 1, &arrow,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
      SelectObject(dc, old);
    }
    // The list box has its own font selected.
    RECT rest = {cell.right, row.top, row.right, row.bottom};
    DrawTextA(dc, text.data(), -1, &rest,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  // An empty list with the focus gets its focus rectangle too.
  if ((item.itemState & ODS_FOCUS) != 0)
    DrawFocusRect(dc, &row);
}
