// The two fonts of frmHide, made for one DPI: the system message font for
// the window and its controls, and Command1's own bold font.
#pragma once

#include <windows.h>

#include "dpi_api.h"

struct frmHideFonts {
  HFONT message;  // null: the controls keep the system font
  HFONT command1; // null: Command1 uses the message font
};

frmHideFonts CreateFormFonts(const DpiApi &dpiApi, UINT dpi);
void DeleteFormFonts(frmHideFonts &fonts);
