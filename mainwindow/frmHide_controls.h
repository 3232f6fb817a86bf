// frmHide's controls as windows, made from the layout table: each in its
// place for a DPI, with its font. The start-up bench's minimal programs make
// the same controls the same way.
#pragma once

#include <windows.h>

#include "frmHide_fonts.h"
#include "frmHide_layout.h"

namespace frmHideLayout {

inline int Pixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

struct Place {
  int x;
  int y;
  int width;
  int height;
};

inline Place PlaceOf(const ControlRow &row, UINT dpi) {
  return {Pixels(row.left, dpi), Pixels(row.top, dpi), Pixels(row.width, dpi),
          Pixels(row.height, dpi)};
}

inline HFONT FontOf(const ControlRow &row, const frmHideFonts &fonts) {
  return row.ownFont && fonts.command1 != nullptr ? fonts.command1
                                                  : fonts.message;
}

// Creates the control of `row` on `parent`, in its place for `dpi` and with
// its font, without repainting it: the parent is not shown yet.
HWND CreateControl(HWND parent, HINSTANCE instance, const ControlRow &row,
                   UINT dpi, const frmHideFonts &fonts);

} // namespace frmHideLayout
