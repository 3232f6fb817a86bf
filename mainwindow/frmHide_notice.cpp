#include "frmHide_notice.h"

#include <commctrl.h>

#include <algorithm>

#include "resource.h"

namespace {

// The tip's one tool: tracked, at a position we give.
TOOLINFOA ToolOf(HWND form, const char *text) {
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = form;
  tool.uId = 1;
  tool.lpszText = const_cast<char *>(text);
  return tool;
}

// Text as the tip draws it: from the ANSI code page, in its font.
class TipTextWidth final : public TextWidth {
public:
  explicit TipTextWidth(HWND tip)
      : tip_(tip), dc_(GetDC(tip)),
        old_(SelectObject(dc_, reinterpret_cast<HGDIOBJ>(
                                   SendMessageA(tip, WM_GETFONT, 0, 0)))) {}
  ~TipTextWidth() {
    SelectObject(dc_, old_);
    ReleaseDC(tip_, dc_);
  }
  int Of(std::string_view text) const override {
    RECT box = {0, 0, 0, 0};
    platform::DrawAnsiText(dc_, text.data(), static_cast<int>(text.size()),
                           &box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return box.right;
  }

private:
  HWND tip_;
  HDC dc_;
  HGDIOBJ old_;
};

} // namespace

bool frmHideNotice::Create(HWND form) {
  // By class name: the manifest's common controls 6 provide the class, so
  // the program neither imports comctl32 nor initialises it.
  tip_ = CreateWindowExA(
      WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
      WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form, GWLP_HINSTANCE)),
      nullptr);
  if (tip_ == nullptr)
    return false;
  form_ = form;
  TOOLINFOA tool = ToolOf(form, "");
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  // How much wider the balloon is than its text: as TTM_ADJUSTRECT says, or
  // as wide as the balloon of the empty text, whichever is more (Wine's
  // TTM_ADJUSTRECT leaves the rectangle as it is).
  RECT frame = {0, 0, 0, 0};
  SendMessageA(tip_, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&frame));
  frame_ = std::max<int>(frame.right - frame.left,
                         LOWORD(SendMessageA(tip_, TTM_GETBUBBLESIZE, 0,
                                             reinterpret_cast<LPARAM>(&tool))));
  SetWindowLongPtrA(tip_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  tipProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      tip_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TipProc)));
  return true;
}

void frmHideNotice::Show(HWND form, HWND anchor, const Notice &notice) {
  if (tip_ == nullptr && !Create(form))
    return;
  offersRestart_ = notice.offersRestart;
  // As wide as the target line at most, frame included, its stem on the
  // line's lower edge.
  RECT line;
  GetWindowRect(anchor, &line);
  const int width = line.right - line.left - frame_;
  Notice fitted = notice;
  FitNotice(fitted, width, GetACP() == CP_UTF8, TipTextWidth(tip_));
  TOOLINFOA tool = ToolOf(form_, fitted.text.data());
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tip_, TTM_SETTITLEA, TTI_WARNING,
               reinterpret_cast<LPARAM>(notice.title.data()));
  SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, width);
  SendMessageA(tip_, TTM_TRACKPOSITION, 0,
               MAKELPARAM((line.left + line.right) / 2, line.bottom));
  SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  SetTimer(form_, kNoticeTimer, kNoticeMs, nullptr);
}

void frmHideNotice::Hide() {
  if (tip_ == nullptr)
    return;
  TOOLINFOA tool = ToolOf(form_, nullptr);
  SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  KillTimer(form_, kNoticeTimer);
}

LRESULT CALLBACK frmHideNotice::TipProc(HWND tip, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  auto *self =
      reinterpret_cast<frmHideNotice *>(GetWindowLongPtrA(tip, GWLP_USERDATA));
  if (message == WM_LBUTTONUP) {
    self->Hide();
    if (self->offersRestart_)
      PostMessageA(self->form_, WM_COMMAND, IDM_RestartAsAdministrator, 0);
  }
  return CallWindowProcA(self->tipProc_, tip, message, wParam, lParam);
}
