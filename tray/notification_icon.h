// The program's icon in the notification area: its tip says what the
// program is doing; a click or Enter on it asks for the form, a right-click
// or the Menu key opens its menu. It comes back when a new taskbar starts.
#pragma once

#include <cstddef>

#include "resource.h"
#include "tip.h"
#include "window_ops.h"

class NotificationIcon {
public:
  // Shows the icon of `window`, which gets `callbackMessage` for the user's
  // clicks and keys on it.
  void Show(platform::HWND window, platform::UINT callbackMessage);
  // Shows it again for a new taskbar. Removed first: a shell that still
  // knows the icon would refuse to add it again.
  void ShowAgain();
  void Remove();
  // Keeps the tip current; the shell is asked only when its text changes.
  void SetCounts(std::size_t windowsKept, std::size_t rules);
  // A balloon beside the icon, for what the user asked of its menu.
  void Say(const char *title, const char *text);

  // What the user asked of the icon, from `callbackMessage`'s parameters.
  struct Request {
    enum class Kind { None, ShowForm, Menu } kind;
    int x, y; // the menu's place on the screen
  };
  static Request Read(platform::WPARAM wParam, platform::LPARAM lParam) {
    // Screen coordinates may be negative on a monitor left of or above the
    // primary one.
    const int x = static_cast<short>(wParam & 0xFFFF);
    const int y = static_cast<short>((wParam >> 16) & 0xFFFF);
    switch (lParam & 0xFFFF) {
    case platform::NIN_SELECT:
    case platform::NIN_KEYSELECT:
      return {Request::Kind::ShowForm, x, y};
    case platform::WM_CONTEXTMENU:
      return {Request::Kind::Menu, x, y};
    }
    return {Request::Kind::None, 0, 0};
  }

  // The menu's check marks.
  struct MenuState {
    bool startsAtSignIn;
    bool hidesWhenMinimized;
  };
  // Opens the menu at (x, y) and waits for the user's choice: the chosen
  // command's ID, or 0 when the user chose nothing.
  platform::UINT TrackMenu(int x, int y, const MenuState &state);

private:
  platform::NotifyIcon icon_{};
  bool shown_ = false;
  bool tracking_ = false;
  char tip_[kMaxTip] = "";
};
