// minimal_NAME.exe CAPTION: one window captioned CAPTION and a message loop,
// plus the pieces of Topmost Tamer's start-up that its build defines (see
// CMakeLists.txt), each made as the program makes it:
//   PIECE_MANIFEST  the program's manifest (in the resources alone)
//   PIECE_DPI       the DPI calls looked up; the window at the screen origin,
//                   sized for the form's client area at the DPI
//   PIECE_OWNER     a hidden window that owns the window
//   PIECE_MENU      the program's menu on the window
//   PIECE_ICONS     the program's icon, large and small, on the window class
//   PIECE_FONTS     the form's two fonts
//   PIECE_CONTROLS  the form's eight controls in their places, each with its
//                   font
//   PIECE_TRAY      the program's icon in the notification area, with its tip
// The icon's header first: <windows.h> defines some of the window
// operations' constants' names as macros.
#include "notification_icon.h"

#include <windows.h>

#include "dpi_api.h"
#include "frmHide_controls.h"

using namespace frmHideLayout;

namespace {

constexpr char kClass[] = "TopmostTamer bench minimal";

LRESULT CALLBACK MinimalProc(HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR caption, int cmdShow) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MinimalProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
#ifdef PIECE_ICONS
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TopmostTamer));
  wc.hIconSm = static_cast<HICON>(LoadImageA(
      instance, MAKEINTRESOURCEA(IDI_TopmostTamer), IMAGE_ICON,
      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
#endif
#ifdef PIECE_MENU
  wc.lpszMenuName = MAKEINTRESOURCEA(IDM_frmHide);
#endif
  if (RegisterClassExA(&wc) == 0)
    return 1;

  HWND owner = nullptr;
  DWORD exStyle = 0;
#ifdef PIECE_OWNER
  WNDCLASSEXA ownerClass = {};
  ownerClass.cbSize = sizeof ownerClass;
  ownerClass.lpfnWndProc = DefWindowProcA;
  ownerClass.hInstance = instance;
  ownerClass.lpszClassName = "TopmostTamer bench minimal owner";
  if (RegisterClassExA(&ownerClass) == 0)
    return 1;
  owner =
      CreateWindowExA(WS_EX_TOOLWINDOW, ownerClass.lpszClassName, "", WS_POPUP,
                      0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (owner == nullptr)
    return 1;
  exStyle = WS_EX_APPWINDOW;
#endif

  constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  // The fonts and controls need a DPI even without the DPI piece.
  [[maybe_unused]] UINT dpi = USER_DEFAULT_SCREEN_DPI;
#if defined(PIECE_DPI) || defined(PIECE_FONTS)
  const DpiApi dpiApi;
#endif
#ifdef PIECE_DPI
  dpi = dpiApi.WindowDpi(owner);
  RECT frame{0, 0, Pixels(kClientWidth, dpi), Pixels(kClientHeight, dpi)};
  dpiApi.AdjustWindowRect(frame, kStyle, wc.lpszMenuName != nullptr, exStyle,
                          dpi);
  x = 0;
  y = 0;
  width = frame.right - frame.left;
  height = frame.bottom - frame.top;
#endif
#ifdef PIECE_FONTS
  frmHideFonts fonts = CreateFormFonts(dpiApi, dpi);
#endif

  const HWND hwnd =
      CreateWindowExA(exStyle, kClass, caption, kStyle, x, y, width, height,
                      owner, nullptr, instance, nullptr);
  if (hwnd == nullptr)
    return 1;
#ifdef PIECE_CONTROLS
  for (const ControlRow &row : kControls)
    if (CreateControl(hwnd, instance, row, dpi, fonts) == nullptr)
      return 1;
#endif
  ShowWindow(hwnd, cmdShow);
#ifdef PIECE_TRAY
  NotificationIcon icon;
  icon.Show(hwnd, WM_APP);
#endif

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
#ifdef PIECE_TRAY
  icon.Remove();
#endif
#ifdef PIECE_FONTS
  DeleteFormFonts(fonts);
#endif
  if (owner != nullptr)
    DestroyWindow(owner);
  return 0;
}
