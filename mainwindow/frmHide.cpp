#include "frmHide.h"

#include "frmHide_controls.h"
#include "frmHide_form.h"
#include "frmHide_list.h"
#include "frmHide_rules.h"
#include "one_copy.h"
#include "sign_in.h"

#include <windowsx.h>

using namespace frmHideLayout;

namespace {

constexpr char kOwnerClass[] = "TopmostTamer.Owner";
constexpr char kCaption[] = "Manipulate Windows always on top";
constexpr UINT_PTR kKeepTimer = 1;
constexpr UINT_PTR kWatchTimer = 4;
// The notification-area icon's clicks and keys.
constexpr UINT kIconMessage = WM_APP + 1;

// Fixed size: a caption with the system menu and a minimise box, no sizing
// border and no maximise box. WS_EX_APPWINDOW keeps a taskbar button and an
// Alt+Tab entry, which an owned window would otherwise lack.
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW;

bool RegisterClasses(HINSTANCE instance, WNDPROC formProc) {
  WNDCLASSEXA owner{};
  owner.cbSize = sizeof owner;
  owner.lpfnWndProc = DefWindowProcA;
  owner.hInstance = instance;
  owner.lpszClassName = kOwnerClass;
  if (RegisterClassExA(&owner) == 0)
    return false;

  WNDCLASSEXA form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = formProc;
  form.hInstance = instance;
  form.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TopmostTamer));
  form.hIconSm = static_cast<HICON>(LoadImageA(
      instance, MAKEINTRESOURCEA(IDI_TopmostTamer), IMAGE_ICON,
      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszMenuName = MAKEINTRESOURCEA(IDM_frmHide);
  form.lpszClassName = frmHide::kClassName;
  return RegisterClassExA(&form) != 0;
}

} // namespace

frmHide::frmHide(HINSTANCE instance, const DpiApi &dpiApi)
    : instance_(instance), dpiApi_(dpiApi) {}

bool frmHide::Create() {
  if (!RegisterClasses(instance_, WindowProc))
    return false;
  // Never shown: it exists only to own the form.
  owner_ =
      CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "Topmost Tamer", WS_POPUP,
                      0, 0, 0, 0, nullptr, nullptr, instance_, nullptr);
  if (owner_ == nullptr)
    return false;
  // The form is made where the owner is and Form_Load keeps it: at the
  // screen origin, the primary monitor's top-left corner, so it has the
  // owner's DPI. Made at its size for that DPI, it is laid out once.
  dpi_ = dpiApi_.WindowDpi(owner_);
  const SIZE frame = FrameSize(dpi_);
  if (CreateWindowExA(kFormExStyle, kClassName, kCaption, kFormStyle, 0, 0,
                      frame.cx, frame.cy, owner_, nullptr, instance_,
                      this) == nullptr) {
    DestroyWindow(owner_);
    owner_ = nullptr;
    return false;
  }
  return true;
}

SIZE frmHide::FrameSize(UINT dpi) const {
  RECT frame{0, 0, Pixels(kClientWidth, dpi), Pixels(kClientHeight, dpi)};
  dpiApi_.AdjustWindowRect(frame, kFormStyle, TRUE, kFormExStyle, dpi);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void frmHide::End() {
  if (owner_ != nullptr)
    DestroyWindow(owner_);
  owner_ = nullptr;
}

void frmHide::LoadRules() {
  char appData[RulesStore::kMaxPath + 1];
  if (platform::GetAppDataFolder(appData, sizeof appData) == 0 ||
      !store_.Open(appData))
    return;
  loaded_ = store_.Load(settings_);
  taming_.watcher.SetRules(settings_.rules.data(), settings_.ruleCount,
                           taming_.keeper);
}

void frmHide::ShowLoadNotice() {
  Notice notice;
  if (!ComposeLoadNotice(loaded_, store_, settings_, notice))
    return;
  // Started hidden, the form has no line to point at.
  if (IsWindowVisible(hwnd_))
    notice_.Show(hwnd_, commands_.lblOPut, notice);
  else
    SayAtIcon(notice);
}

void frmHide::AfterRulesChange(const RulesStore::SaveReport &report) {
  RepaintList();
  Notice notice;
  if (ComposeSaveNotice(report, store_, settings_, notice))
    notice_.Show(hwnd_, commands_.lblOPut, notice);
}

void frmHide::Notify(HWND window, const char *command, Outcome outcome) {
  char title[modHideWin::kMaxTitle + 1] = "";
  GetWindowTextA(window, title, sizeof title);
  Notice notice;
  ComposeNotice(notice, command, title, outcome);
  notice_.Show(hwnd_, commands_.lblOPut, notice);
}

LRESULT CALLBACK frmHide::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto *create = reinterpret_cast<const CREATESTRUCTA *>(lParam);
    auto *self = static_cast<frmHide *>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  auto *self =
      reinterpret_cast<frmHide *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT frmHide::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = hwnd_;
  // Registered messages are not constants.
  if (message == taskbarCreated_ && message != 0) {
    icon_.ShowAgain();
    return 0;
  }
  if (message == showForm_ && message != 0) {
    ShowForm();
    return 0;
  }
  switch (message) {
  case WM_CREATE:
    return OnCreate();
  case kIconMessage:
    OnIcon(wParam, lParam);
    UpdateTip();
    return 0;
  case WM_COMMAND:
    OnCommand(LOWORD(wParam), HIWORD(wParam));
    UpdateTip();
    return 0;
  case WM_SIZE:
    if (wParam == SIZE_MINIMIZED)
      OnMinimized();
    break;
  case WM_CONTEXTMENU:
    // The list box passes its right-clicks and menu keys on to us.
    if (reinterpret_cast<HWND>(wParam) == commands_.List1) {
      OnListContextMenu(lParam);
      return 0;
    }
    break;
  case WM_TIMER:
    OnTimer(wParam);
    UpdateTip();
    return 0;
  case WM_INITMENUPOPUP:
    OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
    break;
  case WM_ACTIVATE:
    OnActivate(LOWORD(wParam), HIWORD(wParam) != 0);
    return 0;
  case WM_MEASUREITEM:
    if (wParam == IDC_List1) {
      reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemHeight =
          static_cast<UINT>(fonts_.listRow);
      return TRUE;
    }
    break;
  case WM_DRAWITEM:
    if (wParam == IDC_List1) {
      DrawListRow(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam),
                  taming_.keeper, fonts_);
      return TRUE;
    }
    break;
  case WM_DPICHANGED:
    OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
    return 0;
  case WM_CLOSE:
    End();
    return 0;
  case WM_DESTROY:
    OnDestroy();
    return 0;
  case WM_NCDESTROY:
    OnNcDestroy();
    break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT frmHide::OnCreate() {
  fonts_ = CreateFormFonts(dpiApi_, dpi_);
  for (std::size_t row = 0; row < kControls.size(); ++row) {
    controls_[row] =
        CreateControl(hwnd_, instance_, kControls[row], dpi_, fonts_);
    if (controls_[row] == nullptr)
      return -1;
  }
  commands_ =
      frmHideControls{Control(IDC_List1), Control(IDC_lblOPut),
                      Control(IDC_Command1), Control(IDC_Command5), hwnd_};
  focus_ = Control(IDC_List1);
  taming_.keeper.Attach(hwnd_, kKeepTimer);
  taming_.watcher.Attach(hwnd_, kWatchTimer);
  // The shell runs below us when we run as administrator, and so may a
  // second copy.
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  showForm_ = RegisterWindowMessageA(kShowFormMessage);
  for (const UINT message : {taskbarCreated_, showForm_, kIconMessage})
    platform::AllowMessageFromBelow(hwnd_, message);
  return 0;
}

void frmHide::ShowIcon() {
  icon_.Show(hwnd_, kIconMessage);
  UpdateTip();
}

void frmHide::ShowForm() {
  // Hidden while minimised, it comes back restored; hidden from the start,
  // as it was made.
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void frmHide::OnIcon(WPARAM wParam, LPARAM lParam) {
  const NotificationIcon::Request request =
      NotificationIcon::Read(wParam, lParam);
  if (request.kind == NotificationIcon::Request::Kind::ShowForm)
    ShowForm();
  if (request.kind != NotificationIcon::Request::Kind::Menu)
    return;
  const UINT chosen = icon_.TrackMenu(
      request.x, request.y, {StartsAtSignIn(), settings_.hideWhenMinimized});
  if (chosen != 0)
    OnCommand(static_cast<int>(chosen), 0);
}

void frmHide::OnMinimized() {
  // No taskbar button: the icon brings the form back.
  if (settings_.hideWhenMinimized)
    ShowWindow(hwnd_, SW_HIDE);
}

void frmHide::UpdateTip() {
  if (hwnd_ != nullptr)
    icon_.SetCounts(taming_.keeper.Count(), settings_.ruleCount);
}

void frmHide::ToggleStartAtSignIn() {
  platform::DWORD error = 0;
  if (::ToggleStartAtSignIn(error))
    return;
  icon_.Say("Topmost Tamer could not change its start at sign-in",
            ErrorText(error).text.data());
}

void frmHide::ToggleHideWhenMinimized() {
  SettingsChange change{};
  change.kind = SettingsChange::Kind::SetHideWhenMinimized;
  change.hideWhenMinimized = !settings_.hideWhenMinimized;
  // Chosen from the icon's menu, perhaps while the form is hidden.
  Notice notice;
  if (ComposeSaveNotice(store_.Apply(change, settings_), store_, settings_,
                        notice))
    SayAtIcon(notice);
}

void frmHide::SayAtIcon(const Notice &notice) {
  icon_.Say(notice.title.data(), notice.text.data());
}

HWND frmHide::Control(int id) const { return controls_[RowOf(id)]; }

void frmHide::OnCommand(int id, int code) {
  // Whatever the user does next ends the notice and the check of the
  // command before; the list's focus changes are not the user's doing.
  if (id != IDC_List1 || code == LBN_SELCHANGE || code == LBN_DBLCLK) {
    CancelOutcome({hwnd_, commands_.List1});
    notice_.Hide();
  }
  switch (id) {
  case IDM_mnuInfo:
    mnuInfo_Click(hwnd_);
    return;
  case IDM_mnuMiniMize:
    Command1_Click(commands_);
    return;
  case IDM_mnuRestoreSize:
    Command5_Click(commands_);
    return;
  case IDM_mnuAlwaysOnTop:
    mnuAlwaysOnTop_Click(commands_, taming_);
    RepaintList();
    return;
  case IDM_mnuKeepOffTop:
    mnuKeepOffTop_Click(commands_, taming_);
    RepaintList();
    return;
  case IDM_mnuKeepOnTop:
    mnuKeepOnTop_Click(commands_, taming_);
    RepaintList();
    return;
  case IDM_mnuRemember:
    AfterRulesChange(mnuRemember_Click(commands_, taming_, settings_, store_));
    return;
  case IDM_RestartAsAdministrator:
    RestartAsAdministrator(*this);
    return;
  case IDM_trayShow:
    ShowForm();
    return;
  case IDM_trayStartAtSignIn:
    ToggleStartAtSignIn();
    return;
  case IDM_trayHideWhenMinimized:
    ToggleHideWhenMinimized();
    return;
  case IDM_trayExit:
    End();
    return;
  case IDC_List1:
    if (code == LBN_SELCHANGE)
      List1_Click(commands_);
    else if (code == LBN_DBLCLK)
      List1_DblClick(commands_);
    return;
  case IDOK:
    // The dialog manager's Enter key.
    ClickFocusedButton();
    return;
  }
  if (id >= IDM_mnuRule0 && id <= IDM_mnuRuleLast) {
    AfterRulesChange(mnuRule_Click(static_cast<std::size_t>(id - IDM_mnuRule0),
                                   taming_, settings_, store_));
    return;
  }
  if (code != BN_CLICKED)
    return;
  switch (id) {
  case IDC_cmdTasks:
    cmdTasks_Click(commands_);
    return;
  case IDC_Command2:
    Command2_Click(commands_);
    return;
  case IDC_Command1:
    Command1_Click(commands_);
    return;
  case IDC_Command5:
    Command5_Click(commands_);
    return;
  case IDC_Command3:
    Command3_Click(*this);
    return;
  }
}

void frmHide::OnListContextMenu(LPARAM position) {
  const HWND list = commands_.List1;
  POINT at = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (at.x == -1 && at.y == -1) {
    // Shift+F10 or the Menu key: beside the selected entry, if there is one.
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    RECT item;
    if (index < 0 || SendMessageA(list, LB_GETITEMRECT, index,
                                  reinterpret_cast<LPARAM>(&item)) == LB_ERR)
      return;
    at = {item.left, item.bottom};
  } else {
    // A right-click: on an entry it first does what a click does, focus
    // included, which the list box leaves to us; below the last entry it
    // opens nothing.
    ScreenToClient(list, &at);
    const LRESULT hit =
        SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    if (HIWORD(hit) != 0)
      return;
    SetFocus(list);
    SendMessageA(list, LB_SETCURSEL, LOWORD(hit), 0);
    List1_Click(commands_);
  }
  ClientToScreen(list, &at);
  const HMENU menu = LoadMenuA(instance_, MAKEINTRESOURCEA(IDM_mnuList1));
  if (menu == nullptr)
    return;
  const HMENU popup = GetSubMenu(menu, 0);
  CheckMenuItem(popup, IDM_mnuAlwaysOnTop,
                TargetIsTopmost(commands_) ? MF_CHECKED : MF_UNCHECKED);
  const Keeping keeping = TargetKeeping(commands_, taming_.keeper);
  CheckMenuItem(popup, IDM_mnuKeepOffTop,
                keeping == Keeping::OffTop ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(popup, IDM_mnuKeepOnTop,
                keeping == Keeping::OnTop ? MF_CHECKED : MF_UNCHECKED);
  if (keeping == Keeping::None && taming_.keeper.IsFull()) {
    EnableMenuItem(popup, IDM_mnuKeepOffTop, MF_GRAYED);
    EnableMenuItem(popup, IDM_mnuKeepOnTop, MF_GRAYED);
  }
  RememberOffer offer;
  TargetRemembering(commands_, taming_, settings_, offer);
  ShowRememberItem(popup, offer);
  // The chosen item comes back as a WM_COMMAND.
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
}

void frmHide::OnTimer(UINT_PTR id) {
  Notice notice;
  switch (id) {
  case kOutcomeTimer:
    // Minimised meanwhile, the form has no target line to point at.
    if (TakeOutcome({hwnd_, commands_.List1}, notice) && !IsIconic(hwnd_))
      notice_.Show(hwnd_, commands_.lblOPut, notice);
    return;
  case kNoticeTimer:
    notice_.Hide();
    return;
  case kWatchTimer:
    taming_.watcher.Check(taming_.keeper);
    return;
  case kKeepTimer: {
    const Keeper::News news = taming_.keeper.Check();
    if (news.forgotten)
      RepaintList();
    if (news.refused != nullptr && !IsIconic(hwnd_))
      Notify(news.refused,
             news.refusedDirection == Direction::OnTop ? "Keep On Top"
                                                       : "Keep Off Top",
             Outcome::Refused);
    return;
  }
  }
}

void frmHide::OnInitMenuPopup(HMENU menu) {
  // The menu bar's second item.
  if (menu == GetSubMenu(GetMenu(hwnd_), 1))
    FillRulesMenu(menu, settings_);
}

void frmHide::ClickFocusedButton() {
  const HWND focus = GetFocus();
  if (focus == nullptr || GetParent(focus) != hwnd_)
    return;
  if ((SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON) != 0)
    SendMessageA(focus, BM_CLICK, 0, 0);
}

void frmHide::OnActivate(int state, bool minimized) {
  // As a dialog box does: the focus leaves with the form and comes back to
  // the same control.
  if (state == WA_INACTIVE) {
    const HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == hwnd_)
      focus_ = focus;
    return;
  }
  if (!minimized && focus_ != nullptr)
    SetFocus(focus_);
  RepaintList();
}

void frmHide::RepaintList() { InvalidateRect(commands_.List1, nullptr, TRUE); }

void frmHide::OnDpiChanged(UINT dpi, const RECT &suggested) {
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  dpi_ = dpi;
  frmHideFonts fonts = CreateFormFonts(dpiApi_, dpi);
  for (std::size_t row = 0; row < kControls.size(); ++row) {
    const ControlRow &control = kControls[row];
    const Place place = PlaceOf(control, dpi);
    SetWindowPos(controls_[row], nullptr, place.x, place.y, place.width,
                 place.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(controls_[row], WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontOf(control, fonts)), TRUE);
  }
  // The controls no longer use the old fonts.
  DeleteFormFonts(fonts_);
  fonts_ = fonts;
  SendMessageA(commands_.List1, LB_SETITEMHEIGHT, 0, fonts_.listRow);
}

void frmHide::OnDestroy() {
  icon_.Remove();
  // The form is the program's only window: without it the program ends.
  PostQuitMessage(0);
}

void frmHide::OnNcDestroy() {
  // The controls are gone by now, and with them the last users of the fonts.
  DeleteFormFonts(fonts_);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  controls_ = {};
  commands_ = frmHideControls{};
}
