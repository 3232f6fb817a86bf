// dwmapi.dll for the Wine test bed, which puts it in its system folders in
// place of Wine's own, whose desktop window manager cloaks no window. It
// exports DwmGetWindowAttribute alone and answers DWMWA_CLOAKED alone, as
// Windows answers an attribute it does not know: cloaked are the windows
// that the fixture marks with the kCloaked property.
#include <dwmapi.h>

#include "fixture.h"

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void *value, DWORD size) {
  if (attribute != DWMWA_CLOAKED || size != sizeof(DWORD))
    return E_INVALIDARG;
  const bool cloaked = GetPropA(hwnd, fixture::kCloaked) != nullptr;
  *static_cast<DWORD *>(value) = cloaked ? DWM_CLOAKED_APP : 0;
  return S_OK;
}
