// The per-monitor DPI calls of newer Windows, looked up at run time so the
// program still starts where they are missing. Each falls back to its
// system-DPI counterpart.
#pragma once

#include <windows.h>

class DpiApi {
public:
  DpiApi();

  // The DPI the window is laid out for.
  UINT WindowDpi(HWND hwnd) const;

  // Grows `rect` from a client area to the window rectangle at `dpi`.
  void AdjustWindowRect(RECT &rect, DWORD style, BOOL menu, DWORD exStyle,
                        UINT dpi) const;

  // The system's message font, sized for `dpi`. False if it is unavailable.
  bool MessageFont(LOGFONTA &font, UINT dpi) const;

private:
  using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
  using AdjustWindowRectExForDpiFn = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD,
                                                    UINT);
  using SystemParametersInfoForDpiFn = BOOL(WINAPI *)(UINT, UINT, void *, UINT,
                                                      UINT);

  GetDpiForWindowFn getDpiForWindow_;
  AdjustWindowRectExForDpiFn adjustWindowRectExForDpi_;
  SystemParametersInfoForDpiFn systemParametersInfoForDpi_;
};
