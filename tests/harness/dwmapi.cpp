// dwmapi.dll for the Wine test bed, which puts it in its system folders in
// place of Wine's own, whose desktop window manager cloaks no window. It
// exports DwmGetWindowAttribute alone, which answers DWMWA_CLOAKED (cloaked
// are the windows that the fixture marks with the kCloaked property) and
// meets every other attribute as Windows meets one it does not know. A copy
// anywhere outside the Windows folder plays a DLL planted beside a program
// or in its current folder: it leaves a mark that it was loaded, and cloaks
// every window.
#include <dwmapi.h>

#include <cstring>

#include "fixture.h"

static bool planted;

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void *) {
  if (reason != DLL_PROCESS_ATTACH)
    return TRUE;
  char path[MAX_PATH] = {}, windows[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  planted =
      _strnicmp(path, windows, GetWindowsDirectoryA(windows, MAX_PATH)) != 0;
  if (planted)
    CreateMutexA(nullptr, FALSE, fixture::kPlantedMark); // held until exit
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void *value, DWORD size) {
  if (attribute != DWMWA_CLOAKED || size != sizeof(DWORD))
    return E_INVALIDARG;
  const bool cloaked = planted || GetPropA(hwnd, fixture::kCloaked) != nullptr;
  *static_cast<DWORD *>(value) = cloaked ? DWM_CLOAKED_APP : 0;
  return S_OK;
}
