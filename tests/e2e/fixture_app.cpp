#include "fixture_app.h"

#include <cstdio>

namespace fixture {
namespace {

constexpr char kClass[] = "E2EFixtureWindow";

} // namespace

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClass;
  return RegisterClassA(&wc) != 0;
}

HWND MakeWindow(const std::string &title, DWORD style, DWORD ex_style,
                const Place &place, HWND owner, bool hidden) {
  HWND hwnd = CreateWindowExA(ex_style, kClass, title.c_str(), style, place.x,
                              place.y, place.width, place.height, owner,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  // Painted by the pump that runs next.
  if (hwnd != nullptr && !hidden)
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  return hwnd;
}

bool WriteListing(const std::string &file, const Listing &listing) {
  FILE *out = std::fopen(file.c_str(), "w");
  if (out == nullptr)
    return false;
  for (const auto &[key, hwnd] : listing)
    std::fprintf(out, "%s %lld\n", key.c_str(),
                 static_cast<long long>(reinterpret_cast<INT_PTR>(hwnd)));
  return std::fclose(out) == 0;
}

void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

DWORD PumpUntil(const HANDLE *handles, DWORD count) {
  for (;;) {
    PumpPending();
    const DWORD woke =
        MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE, QS_ALLINPUT);
    if (woke < WAIT_OBJECT_0 + count)
      return woke - WAIT_OBJECT_0;
  }
}

} // namespace fixture
