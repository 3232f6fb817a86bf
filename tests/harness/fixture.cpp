// fixture.exe MODE [N]: holds the windows that the tests list or skip, in a
// process of its own as another application's windows would be (see
// fixture.h).
#include "fixture.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

DWORD hungThread;
HANDLE frozen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
HANDLE thaw = CreateEventA(nullptr, FALSE, FALSE, nullptr);

HWND Make(std::string name, const std::string &title, DWORD style,
          DWORD exStyle, int x, int y, HWND owner = nullptr,
          WNDPROC proc = DefWindowProcA, COLORREF colour = RGB(255, 255, 255)) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hbrBackground = CreateSolidBrush(colour);
  wc.lpszClassName = (name = "fixture." + name).c_str();
  RegisterClassA(&wc); // fails harmlessly for a class made before
  return CreateWindowExA(exStyle, wc.lpszClassName, title.c_str(), style, x, y,
                         180, 120, owner, nullptr, nullptr, nullptr);
}

// Digits cycling up to `length`, so a cut at any length shows.
std::string PadTo(std::string title, size_t length) {
  while (title.size() < length)
    title += static_cast<char>('0' + title.size() % 10);
  return title;
}

// The timer of kReassert is 1, that of kDrop 2: each puts the window on
// top, or takes it off.
LRESULT CALLBACK RoleProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == fixture::kReassert || msg == fixture::kDrop) {
    const UINT_PTR timer = msg == fixture::kReassert ? 1 : 2;
    return wp != 0 ? SetTimer(hwnd, timer, static_cast<UINT>(wp), nullptr) != 0
                   : KillTimer(hwnd, timer);
  }
  if (msg == WM_TIMER)
    return SetWindowPos(hwnd, wp == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                        0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

std::wstring Times(const wchar_t *piece, int copies) {
  std::wstring text;
  while (copies-- > 0)
    text += piece;
  return text;
}

// The titles beyond code page 1252, in UTF-16 as their applications set
// them, a lone surrogate among them. Wine's fonts draw all of the banner's,
// for the screenshots.
const std::pair<const char *, std::wstring> kWideTitles[] = {
    {"banner", L"Fixture Ad Banner 42 – Łódź"},
    {"scripts", L"Ελληνικά 中文 日本語 \xD800 עברית عربي e\u0301 😀"},
    {"emoji300", Times(L"😀", 150)},
    {"cjk300", Times(L"漢", 300)},
};

// As an aggressive banner does: a request to move it in the Z order is
// turned into one that keeps its place.
LRESULT CALLBACK VetoProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto *pos = reinterpret_cast<WINDOWPOS *>(lp);
  if (msg == WM_WINDOWPOSCHANGING && (pos->flags & SWP_NOZORDER) == 0) {
    pos->flags |= SWP_NOZORDER;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      GetWindowLongPtrA(hwnd, GWLP_USERDATA) + 1);
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND MakeRole(int index, HWND first) {
  const fixture::Role &role = fixture::kRoles[index];
  std::string title = role.title != nullptr ? role.title : "";
  if (role.name == std::string("long"))
    title = PadTo("Fixture Long ", 300);
  if (role.name == std::string("allbytes"))
    for (int byte = 1; byte < 256; ++byte) // 255: a cut one short shows
      title += static_cast<char>(byte);
  const HWND made =
      Make(role.name, title, role.style, role.exStyle, 420 + index % 4 * 190,
           120 + index / 4 * 150, role.ownedByFirst ? first : nullptr,
           role.name == std::string("veto") ? VetoProc : RoleProc);
  // Kept in UTF-16 as given, where the window's own ANSI procedure would
  // pass it through code page 1252.
  for (const auto &[name, wide] : kWideTitles)
    if (role.name == std::string(name))
      DefWindowProcW(made, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(wide.c_str()));
  if (role.name == std::string("cloaked"))
    SetPropA(made, fixture::kCloaked, made);
  return made;
}

// The hung role's thread: it dispatches its messages until told to freeze,
// then looks at none until thawed, as a hung application's would.
DWORD WINAPI HungMain(void *index) {
  MakeRole(static_cast<int>(reinterpret_cast<INT_PTR>(index)), nullptr);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // makes the queue
  SetEvent(frozen);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == nullptr && msg.message == fixture::kFreeze) {
      SetEvent(frozen);
      WaitForSingleObject(thaw, INFINITE);
    }
    DispatchMessageA(&msg);
  }
  return 0;
}

// Each tick replaces the oldest windows, so every enumeration meets
// windows that vanish under it.
void CALLBACK Churn(HWND, UINT, UINT_PTR, DWORD) {
  static std::vector<HWND> alive;
  for (int i = 0; i < 4; ++i) {
    alive.push_back(Make("churn", "Churn #" + std::to_string(alive.size()),
                         WS_CAPTION | WS_VISIBLE, 0, 600, 500));
    DestroyWindow(alive.size() > 24 ? alive[alive.size() - 25] : nullptr);
  }
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == fixture::kFreeze) {
    PostThreadMessageA(hungThread, fixture::kFreeze, 0, 0);
    return WaitForSingleObject(frozen, 5000) == WAIT_OBJECT_0;
  }
  if (msg == fixture::kThaw)
    return SetEvent(thaw);
  // Closed, or outlived its test: the hung thread may be frozen, so this
  // ends the process rather than the thread.
  if (msg == WM_CLOSE || msg == WM_TIMER)
    ExitProcess(0);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

int main(int argc, char **argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  HWND first = nullptr;
  for (int i = 0; mode == "roles" && i < int(std::size(fixture::kRoles)); ++i) {
    if (fixture::kRoles[i].name == std::string("hung")) {
      CreateThread(nullptr, 0, HungMain, reinterpret_cast<void *>(INT_PTR{i}),
                   0, &hungThread);
      WaitForSingleObject(frozen, INFINITE); // its window is up
    } else if (const HWND made = MakeRole(i, first); first == nullptr) {
      first = made;
    }
  }
  const std::string serial = std::to_string(GetCurrentProcessId());
  MSG msg;
  for (int i = 0; mode == "bulk" && argc > 2 && i < std::atoi(argv[2]); ++i) {
    // Shown without taking the focus from the last: activating each one
    // would cost the window system many times more than making it.
    ShowWindow(Make("bulk",
                    PadTo("Bulk " + serial + " #" + std::to_string(i) + " ",
                          16 + static_cast<size_t>(i) * 97 % 285),
                    WS_POPUP, 0, 20 + i % 40 * 12, 20 + i % 30 * 12),
               SW_SHOWNA);
    // What the window system has to say about them, before it piles up.
    while (i % 64 == 0 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&msg);
  }
  if (mode == "churn")
    SetTimer(nullptr, 0, 1, Churn);
  if (mode == "banner")
    Make("banner", fixture::kSecondBanner, fixture::kFrame, WS_EX_TOPMOST, 600,
         620, nullptr, RoleProc);
  if (mode == "demo")
    SetWindowPos(Make("demo", "Demo Ad Banner - Click to Win!", fixture::kFrame,
                      WS_EX_TOPMOST, 0, 0, nullptr, RoleProc, RGB(255, 214, 0)),
                 nullptr, 380, 120, 420, 140, SWP_NOZORDER);
  const HWND control = Make("control", fixture::kControlCaption, 0, 0, 0, 0,
                            nullptr, ControlProc);
  SetTimer(control, 1, 15 * 60 * 1000, nullptr);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    DispatchMessageA(&msg);
  return 0;
}
