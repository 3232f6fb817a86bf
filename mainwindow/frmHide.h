// The main window: a fixed-size, always-on-top form owned by a hidden
// window of the program, so the window list never shows the program itself.
#pragma once

// Before <windows.h>, which defines some of the window operations' constant
// names as macros.
#include "frmHide_commands.h"
#include "notification_icon.h"

#include <windows.h>

#include <array>

#include "dpi_api.h"
#include "frmHide_fonts.h"
#include "frmHide_layout.h"
#include "frmHide_notice.h"

class frmHide {
public:
  // The form's window class, by which a second copy finds it.
  static constexpr char kClassName[] = "TopmostTamer.frmHide";

  frmHide(HINSTANCE instance, const DpiApi &dpiApi);
  frmHide(const frmHide &) = delete;
  frmHide &operator=(const frmHide &) = delete;

  // Creates the hidden owner, then the form with its controls in their
  // initial state, laid out for its DPI but not yet shown.
  bool Create();

  HWND Window() const { return hwnd_; }

  // The icon in the notification area, from now until the form goes.
  void ShowIcon();
  // Shows the form as it was, restored, and brings it forward.
  void ShowForm();

  // Ends the program: destroying the owner takes the form and its controls
  // with it, and the form's destruction ends the message loop.
  void End();

  // Reads the rules from the user's application-data folder and keeps the
  // windows they name, before the form is first shown; what loading found
  // is told once the form shows.
  void LoadRules();
  void ShowLoadNotice();

  // Tells the user that `command` had no effect on `window`, and why.
  void Notify(HWND window, const char *command, Outcome outcome);

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnCreate();
  void OnCommand(int id, int code);
  // The list's context menu; `position` is WM_CONTEXTMENU's.
  void OnListContextMenu(LPARAM position);
  void OnTimer(UINT_PTR id);
  void OnInitMenuPopup(HMENU menu);
  // After a change to the rules: the list's marks, and a notice if it could
  // not be saved.
  void AfterRulesChange(const RulesStore::SaveReport &report);
  void OnActivate(int state, bool minimized);
  // Repaints the list, so that its marks show the windows' states now. The
  // outcome check repaints it again once the target has answered.
  void RepaintList();
  void OnDpiChanged(UINT dpi, const RECT &suggested);
  void OnIcon(WPARAM wParam, LPARAM lParam);
  void OnMinimized();
  // The icon's tip says how many windows are kept, and how many rules.
  void UpdateTip();
  // "Start when I sign in": the Run value written or removed, or a word why
  // not.
  void ToggleStartAtSignIn();
  // "Hide when minimised", remembered in the rules file.
  void ToggleHideWhenMinimized();
  // A notice at the icon, while the form may be hidden.
  void SayAtIcon(const Notice &notice);
  void OnDestroy();
  void OnNcDestroy();

  // The window rectangle's size for the form's client area at `dpi`.
  SIZE FrameSize(UINT dpi) const;
  void ClickFocusedButton();
  HWND Control(int id) const;

  HINSTANCE instance_;
  const DpiApi &dpiApi_;
  HWND owner_ = nullptr;
  HWND hwnd_ = nullptr;
  // The DPI the form and its controls are laid out for.
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::array<HWND, frmHideLayout::kControls.size()> controls_{};
  frmHideControls commands_{};
  frmHideFonts fonts_{};
  frmHideNotice notice_;
  // The child that had the focus when the form was last deactivated.
  HWND focus_ = nullptr;
  Taming taming_;
  // What the program remembers, and where; with the tables of the windows
  // the rules watch, the form is too large for the stack.
  Settings settings_;
  RulesStore store_;
  RulesStore::LoadReport loaded_;
  NotificationIcon icon_;
  // Registered messages: a new taskbar, and a second copy's request.
  UINT taskbarCreated_ = 0;
  UINT showForm_ = 0;
};
