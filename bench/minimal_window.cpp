// minimal_window.exe: one empty window and a message loop, built with the
// program's own compile and link options. What any Win32 program costs to
// start and to keep, for the program's own figures to be read against.
#include "captions.h"

#include <windows.h>

namespace {

constexpr char kClassName[] = "TopmostTamerBenchMinimal";

LRESULT CALLBACK MinimalProc(HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = MinimalProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (RegisterClassA(&wc) == 0)
    return 1;
  const HWND hwnd = CreateWindowExA(0, kClassName, bench::kMinimalCaption,
                                    WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    nullptr, nullptr, instance, nullptr);
  if (hwnd == nullptr)
    return 1;
  ShowWindow(hwnd, cmdShow);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
