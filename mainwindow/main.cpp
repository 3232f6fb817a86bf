// Topmost Tamer: lists the desktop's windows and minimises or restores the
// one the user picks, to get always-on-top windows out of the way.
#include "frmHide.h"

#include <windows.h>

#include "dpi_api.h"
#include "frmHide_form.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow) {
  const DpiApi dpiApi;
  frmHide form(instance, dpiApi);
  if (!form.Create())
    return 0;
  Form_Load(form.Window());
  ShowWindow(form.Window(), cmdShow);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The dialog manager gives the form Tab and arrow-key navigation.
    if (form.Window() != nullptr && IsDialogMessageA(form.Window(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  form.End();
  return 0;
}
