// The fonts of frmHide, made for one DPI: the system message font for the
// window and its controls, Command1's own bold font, and the system's glyph
// font for the marks in the list's rows, which are as high as the message
// font's lines.
#pragma once

#include <windows.h>

#include "dpi_api.h"

struct frmHideFonts {
  HFONT message;  // null: the controls keep the system font
  HFONT command1; // null: Command1 uses the message font
  HFONT marks;    // Marlett, a row high
  int listRow;    // the height of a row of List1, in pixels
};

frmHideFonts CreateFormFonts(const DpiApi &dpiApi, UINT dpi);
void DeleteFormFonts(frmHideFonts &fonts);
