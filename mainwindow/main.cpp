// Topmost Tamer: lists the desktop's windows and minimises or restores the
// one the user picks, to get always-on-top windows out of the way.
#include "frmHide.h"

#include "one_copy.h"

#include <windows.h>

#include <new>

#include "dpi_api.h"
#include "frmHide_form.h"

namespace {

// The form holds the rules and the tables of the windows that they watch:
// too large for the stack, it lives here.
alignas(frmHide) unsigned char formStorage[sizeof(frmHide)];

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments,
                   int cmdShow) {
  const Switches switches = ParseSwitches(arguments);
  // Before anything else: a second copy neither keeps windows nor shows an
  // icon.
  OneCopy oneCopy;
  if (!oneCopy.Claim(frmHide::kClassName, switches))
    return 0;
  const DpiApi dpiApi;
  frmHide &form = *new (formStorage) frmHide(instance, dpiApi);
  if (!form.Create())
    return 0;
  // The rules' windows are kept before the form shows.
  form.LoadRules();
  Form_Load(form.Window());
  if (!switches.hidden)
    ShowWindow(form.Window(), cmdShow);
  form.ShowIcon();
  form.ShowLoadNotice();

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
