#include "dpi_api.h"

#include <cstddef>
#include <cstring>

namespace {

template <typename Function> Function Lookup(HMODULE module, const char *name) {
  // Through the generic function pointer type, the one cast GCC accepts
  // between unrelated function types.
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

UINT SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The numeric fields of the two LOGFONT variants are laid out alike; only
// the face name differs in character type.
void NarrowLogFont(const LOGFONTW &wide, LOGFONTA &narrow) {
  std::memcpy(&narrow, &wide, offsetof(LOGFONTW, lfFaceName));
  if (WideCharToMultiByte(CP_ACP, 0, wide.lfFaceName, -1, narrow.lfFaceName,
                          LF_FACESIZE, nullptr, nullptr) == 0)
    narrow.lfFaceName[0] = '\0';
}

} // namespace

DpiApi::DpiApi() {
  // user32 is always loaded: the program links it.
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  getDpiForWindow_ = Lookup<GetDpiForWindowFn>(user32, "GetDpiForWindow");
  adjustWindowRectExForDpi_ =
      Lookup<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
  systemParametersInfoForDpi_ = Lookup<SystemParametersInfoForDpiFn>(
      user32, "SystemParametersInfoForDpi");
}

UINT DpiApi::WindowDpi(HWND hwnd) const {
  if (getDpiForWindow_ != nullptr) {
    const UINT dpi = getDpiForWindow_(hwnd);
    if (dpi != 0)
      return dpi;
  }
  return SystemDpi();
}

void DpiApi::AdjustWindowRect(RECT &rect, DWORD style, BOOL menu, DWORD exStyle,
                              UINT dpi) const {
  if (adjustWindowRectExForDpi_ != nullptr &&
      adjustWindowRectExForDpi_(&rect, style, menu, exStyle, dpi) != FALSE)
    return;
  AdjustWindowRectEx(&rect, style, menu, exStyle);
}

bool DpiApi::MessageFont(LOGFONTA &font, UINT dpi) const {
  if (systemParametersInfoForDpi_ != nullptr) {
    // Only a wide variant exists; the face name is narrowed afterwards.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (systemParametersInfoForDpi_(SPI_GETNONCLIENTMETRICS, sizeof metrics,
                                    &metrics, 0, dpi) != FALSE) {
      NarrowLogFont(metrics.lfMessageFont, font);
      return true;
    }
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics,
                            0) == FALSE)
    return false;
  font = metrics.lfMessageFont;
  // The system reports the font for the system DPI; a window on a monitor
  // of another DPI needs it scaled.
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi),
                         static_cast<int>(SystemDpi()));
  return true;
}
