#include "frmHide_list.h"

#include <array>

#include "modHideWin.h"

namespace {

// Marlett's glyphs, with which the system draws its scroll arrows, in the
// colours the user chose: an arrow up for always on top, down for kept off
// top.
char GlyphOf(EntryMark mark) {
  switch (mark) {
  case EntryMark::OnTop:
    return '5';
  case EntryMark::KeptOffTop:
    return '6';
  case EntryMark::None:
    break;
  }
  return 0;
}

} // namespace

void DrawListRow(const DRAWITEMSTRUCT &item, const OffTopKeeper &keeper,
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
    if (const char glyph = GlyphOf(MarkOf(text.data(), keeper))) {
      const HGDIOBJ old = SelectObject(dc, fonts.marks);
      // Its em is taller than the row; the ink lies in its middle.
      platform::DrawAnsiText(dc, &glyph, 1, &cell,
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE |
                                 DT_NOCLIP);
      SelectObject(dc, old);
    }
    // The list box has its own font selected. The entry is in the ANSI code
    // page, as the list box keeps it.
    RECT rest = {cell.right, row.top, row.right, row.bottom};
    platform::DrawAnsiText(dc, text.data(), -1, &rest,
                           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  // An empty list with the focus gets its focus rectangle too.
  if ((item.itemState & ODS_FOCUS) != 0)
    DrawFocusRect(dc, &row);
}
