#include "frmHide_fonts.h"

#include "frmHide_layout.h"

using namespace frmHideLayout;

namespace {

HFONT CreateMessageFont(const DpiApi &dpiApi, UINT dpi) {
  LOGFONTA font{};
  if (!dpiApi.MessageFont(font, dpi))
    return nullptr;
  return CreateFontIndirectA(&font);
}

HFONT CreateCommand1Font(UINT dpi) {
  // Points to pixels: tenths of a point, 720 of them per inch.
  const int height =
      -MulDiv(kCommand1FontTenthsOfPoint, static_cast<int>(dpi), 720);
  return CreateFontA(height, 0, 0, 0, kCommand1FontWeight, FALSE, FALSE, FALSE,
                     kCommand1FontCharset, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kCommand1FontFace);
}

void DeleteFont(HFONT &font) {
  if (font != nullptr)
    DeleteObject(font);
  font = nullptr;
}

} // namespace

frmHideFonts CreateFormFonts(const DpiApi &dpiApi, UINT dpi) {
  frmHideFonts fonts{CreateMessageFont(dpiApi, dpi), CreateCommand1Font(dpi)};
  return fonts;
}

void DeleteFormFonts(frmHideFonts &fonts) {
  DeleteFont(fonts.message);
  DeleteFont(fonts.command1);
}
