#include "frmHide_controls.h"

namespace frmHideLayout {
namespace {

const char *ClassOf(const ControlRow &row) {
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

DWORD StyleOf(const ControlRow &row) {
  // WS_CLIPSIBLINGS: some controls overlap their neighbours by a pixel, and
  // the one above in the Z order must win.
  const DWORD style =
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (row.enabled ? 0 : WS_DISABLED);
  switch (row.kind) {
  case ControlKind::ListBox:
    // Unsorted, single selection; no integral height, so it keeps its
    // designed size. Its rows are drawn by the form, from the strings it
    // keeps.
    return style | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
           LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
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

DWORD ExStyleOf(const ControlRow &row) {
  return row.kind == ControlKind::ListBox ? WS_EX_CLIENTEDGE : 0;
}

} // namespace

HWND CreateControl(HWND parent, HINSTANCE instance, const ControlRow &row,
                   UINT dpi, const frmHideFonts &fonts) {
  const Place place = PlaceOf(row, dpi);
  const HWND control = CreateWindowExA(
      ExStyleOf(row), ClassOf(row), row.caption, StyleOf(row), place.x, place.y,
      place.width, place.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
  if (control != nullptr)
    SendMessageA(control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontOf(row, fonts)), FALSE);
  return control;
}

} // namespace frmHideLayout
