// What each of frmHide's controls is as a window: its class, styles and
// font, and its place in pixels at a DPI. The start-up bench's minimal
// programs create the same controls from the same table.
#pragma once

#include <windows.h>

#include "frmHide_fonts.h"
#include "frmHide_layout.h"

namespace frmHideLayout {

inline int Pixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

inline const char *ClassOf(const ControlRow &row) {
  switch (row.kind) {
  case ControlKind::ListBox:
    return "LISTBOX";
  case ControlKind::Button:
    return "BUTTON";
  case ControlKind::Label:
    break;
  }
  return "STATIC";
}

inline DWORD StyleOf(const ControlRow &row) {
  // WS_CLIPSIBLINGS: some controls overlap their neighbours by a pixel, and
  // the one above in the Z order must win.
  const DWORD style =
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (row.enabled ? 0 : WS_DISABLED);
  switch (row.kind) {
  case ControlKind::ListBox:
    // Unsorted, single selection; no integral height, so it keeps its
    // designed size.
    return style | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  case ControlKind::Button:
    return style | WS_TABSTOP | BS_PUSHBUTTON;
  case ControlKind::Label:
    break;
  }
  // Window titles are shown as they are: an '&' is not a mnemonic. The
  // target label holds one entry on one line.
  return style | SS_NOPREFIX |
         (row.id == IDC_lblOPut ? SS_LEFTNOWORDWRAP : SS_LEFT);
}

inline DWORD ExStyleOf(const ControlRow &row) {
  return row.kind == ControlKind::ListBox ? WS_EX_CLIENTEDGE : 0;
}

inline HFONT FontOf(const ControlRow &row, const frmHideFonts &fonts) {
  return row.ownFont && fonts.command1 != nullptr ? fonts.command1
                                                  : fonts.message;
}

} // namespace frmHideLayout
