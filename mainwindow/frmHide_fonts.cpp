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

int LineHeight(HFONT font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old =
      SelectObject(screen, font != nullptr ? static_cast<HGDIOBJ>(font)
                                           : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight > 0 ? metrics.tmHeight : 16;
}

HFONT CreateMarksFont(int rowHeight) {
  // Marlett's arrows are half an em wide: an em of one and a half rows makes
  // them about as wide as a letter is high.
  return CreateFontA(-rowHeight * 3 / 2, 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                     FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "Marlett");
}

void DeleteFont(HFONT &font) {
  if (font != nullptr)
    DeleteObject(font);
  font = nullptr;
}

} // namespace

frmHideFonts CreateFormFonts(const DpiApi &dpiApi, UINT dpi) {
  frmHideFonts fonts{CreateMessageFont(dpiApi, dpi), CreateCommand1Font(dpi),
                     nullptr, 0};
  fonts.listRow = LineHeight(fonts.message);
  fonts.marks = CreateMarksFont(fonts.listRow);
  return fonts;
}

void DeleteFormFonts(frmHideFonts &fonts) {
  DeleteFont(fonts.message);
  DeleteFont(fonts.command1);
  DeleteFont(fonts.marks);
}
