#include "notification_icon.h"

#include <cstring>

void NotificationIcon::Show(platform::HWND window,
                            platform::UINT callbackMessage) {
  icon_ = {window, IDI_trayIcon, callbackMessage};
  if (tip_[0] == '\0')
    ComposeTip(tip_, 0, 0);
  shown_ = platform::Shell_NotifyIconA(platform::NIM_ADD, icon_, tip_) != 0;
}

void NotificationIcon::ShowAgain() {
  if (icon_.window == nullptr)
    return;
  platform::Shell_NotifyIconA(platform::NIM_DELETE, icon_, nullptr);
  Show(icon_.window, icon_.callbackMessage);
}

void NotificationIcon::Remove() {
  if (shown_)
    platform::Shell_NotifyIconA(platform::NIM_DELETE, icon_, nullptr);
  shown_ = false;
}

void NotificationIcon::SetCounts(std::size_t windowsKept, std::size_t rules) {
  char tip[kMaxTip];
  ComposeTip(tip, windowsKept, rules);
  if (std::strcmp(tip, tip_) == 0)
    return;
  std::memcpy(tip_, tip, sizeof tip_);
  if (shown_)
    platform::Shell_NotifyIconA(platform::NIM_MODIFY, icon_, tip_);
}

void NotificationIcon::Say(const char *title, const char *text) {
  if (shown_)
    platform::Shell_NotifyIconA(platform::NIM_MODIFY, icon_, nullptr, title,
                                text);
}

platform::UINT NotificationIcon::TrackMenu(int x, int y,
                                           const MenuState &state) {
  // A second click on the icon while the menu is open opens no other.
  if (tracking_)
    return 0;
  const platform::HMENU menu = platform::CreatePopupMenu();
  if (menu == nullptr)
    return 0;
  const auto checked = [](bool on) {
    return platform::MF_STRING | (on ? platform::MF_CHECKED : 0u);
  };
  platform::AppendMenuA(menu, platform::MF_STRING, IDM_trayShow,
                        "Show &Topmost Tamer");
  platform::AppendMenuA(menu, checked(state.startsAtSignIn),
                        IDM_trayStartAtSignIn, "&Start when I sign in");
  platform::AppendMenuA(menu, checked(state.hidesWhenMinimized),
                        IDM_trayHideWhenMinimized, "&Hide when minimised");
  platform::AppendMenuA(menu, platform::MF_SEPARATOR, 0, nullptr);
  platform::AppendMenuA(menu, platform::MF_STRING, IDM_trayExit, "E&xit");
  platform::SetMenuDefaultItem(menu, IDM_trayShow, 0);
  // A menu closes on a click elsewhere only while its window is in the
  // foreground; and the message after it lets the next one open at once.
  tracking_ = true;
  platform::SetForegroundWindow(icon_.window);
  const platform::UINT chosen =
      static_cast<platform::UINT>(platform::TrackPopupMenu(
          menu,
          platform::TPM_RIGHTBUTTON | platform::TPM_RETURNCMD |
              platform::TPM_NONOTIFY,
          x, y, icon_.window));
  platform::PostMessageA(icon_.window, platform::WM_NULL, 0, 0);
  tracking_ = false;
  platform::DestroyMenu(menu);
  return chosen;
}
