// The one notice the program gives when a command had no effect: a balloon
// tip that points at the target line, says which command and why, and never
// takes the focus. It goes away on the next command, on a click, on Escape,
// or after kNoticeMs. Made when first needed: most runs never show it.
#pragma once

// Before <windows.h>, which defines some of the window operations' constant
// names as macros.
#include "outcome.h"

#include <windows.h>

// The form's timer that ends the notice.
constexpr UINT_PTR kNoticeTimer = 3;
constexpr UINT kNoticeMs = 10000;

class frmHideNotice {
public:
  // Shows `notice` pointing at `anchor`, a control of `form`, in place of
  // any notice before it. A click on an administrator notice posts
  // IDM_RestartAsAdministrator to the form.
  void Show(HWND form, HWND anchor, const Notice &notice);
  void Hide();

private:
  bool Create(HWND form);
  // The tip takes clicks but does nothing with them; this does.
  static LRESULT CALLBACK TipProc(HWND tip, UINT message, WPARAM wParam,
                                  LPARAM lParam);

  HWND form_ = nullptr;
  HWND tip_ = nullptr;
  WNDPROC tipProc_ = nullptr;
  int frame_ = 0; // how much wider the balloon is than its text
  bool offersRestart_ = false;
};
