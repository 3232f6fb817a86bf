// A second application for the end-to-end tests: it puts the windows of the
// role table on the desktop, writes "role handle" lines to the file named by
// its first argument, signals the ready event, and stays until the exit event.
// Its "hung" window lives on a thread that stops pumping messages until the
// resume event is set, as a frozen application's window would.
#include "fixture_roles.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kClass[] = "E2EFixtureWindow";

struct HungThread {
  HANDLE created;
  HANDLE resume;
  HANDLE exit;
  HWND hwnd;
};

HWND MakeWindow(const e2e::Role &role, int index, HWND owner) {
  const std::string title = e2e::RoleTitle(role.name);
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD ex_style = 0;
  if (role.kind == e2e::Kind::OwnedPopup)
    style = WS_POPUP | WS_CAPTION | WS_BORDER;
  if (role.kind == e2e::Kind::Topmost)
    ex_style = WS_EX_TOPMOST;
  // Right of the program's window, which opens at the top-left corner.
  const int x = 420 + (index % 4) * 190;
  const int y = 120 + (index / 4) * 150;
  HWND hwnd =
      CreateWindowExA(ex_style, kClass, title.c_str(), style, x, y, 180, 120,
                      owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (hwnd != nullptr && role.kind != e2e::Kind::Hidden) {
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
  }
  return hwnd;
}

// Dispatches messages until `stop` is signalled.
void PumpUntil(HANDLE stop) {
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) ==
        WAIT_OBJECT_0)
      return;
  }
}

DWORD WINAPI HungMain(void *param) {
  HungThread *hung = static_cast<HungThread *>(param);
  for (int i = 0; i < static_cast<int>(std::size(e2e::kRoles)); ++i)
    if (e2e::kRoles[i].kind == e2e::Kind::Hung)
      hung->hwnd = MakeWindow(e2e::kRoles[i], i, nullptr);
  SetEvent(hung->created);
  // Frozen: no message of this thread is looked at until told to resume.
  WaitForSingleObject(hung->resume, INFINITE);
  PumpUntil(hung->exit);
  return 0;
}

HWND FindOwner(HWND *made) {
  for (int i = 0; i < static_cast<int>(std::size(e2e::kRoles)); ++i)
    if (std::string(e2e::kRoles[i].name) == "ordinary")
      return made[i];
  return nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 3)
    return 2;
  const std::string tag = __argv[2];
  HANDLE ready =
      CreateEventA(nullptr, TRUE, FALSE, e2e::ReadyEventName(tag).c_str());
  HungThread hung{
      CreateEventA(nullptr, TRUE, FALSE, nullptr),
      CreateEventA(nullptr, TRUE, FALSE, e2e::ResumeEventName(tag).c_str()),
      CreateEventA(nullptr, TRUE, FALSE, e2e::ExitEventName(tag).c_str()),
      nullptr};
  if (ready == nullptr || hung.created == nullptr || hung.resume == nullptr ||
      hung.exit == nullptr)
    return 3;

  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClass;
  if (RegisterClassA(&wc) == 0)
    return 4;

  constexpr int kCount = static_cast<int>(std::size(e2e::kRoles));
  HWND made[kCount] = {};
  // Owners first, so the owned windows can name them.
  for (int i = 0; i < kCount; ++i) {
    const e2e::Kind kind = e2e::kRoles[i].kind;
    if (kind == e2e::Kind::Owned || kind == e2e::Kind::OwnedPopup ||
        kind == e2e::Kind::Hung)
      continue;
    made[i] = MakeWindow(e2e::kRoles[i], i, nullptr);
  }
  for (int i = 0; i < kCount; ++i) {
    const e2e::Kind kind = e2e::kRoles[i].kind;
    if (kind == e2e::Kind::Owned || kind == e2e::Kind::OwnedPopup)
      made[i] = MakeWindow(e2e::kRoles[i], i, FindOwner(made));
  }
  HANDLE thread = CreateThread(nullptr, 0, HungMain, &hung, 0, nullptr);
  if (thread == nullptr)
    return 5;
  WaitForSingleObject(hung.created, INFINITE);
  for (int i = 0; i < kCount; ++i)
    if (e2e::kRoles[i].kind == e2e::Kind::Hung)
      made[i] = hung.hwnd;

  FILE *out = std::fopen(__argv[1], "w");
  if (out == nullptr)
    return 6;
  for (int i = 0; i < kCount; ++i)
    std::fprintf(out, "%s %lld\n", e2e::kRoles[i].name,
                 static_cast<long long>(reinterpret_cast<INT_PTR>(made[i])));
  std::fclose(out);
  SetEvent(ready);

  PumpUntil(hung.exit);
  // The hung thread may still be frozen; ending the process ends it too.
  ExitProcess(0);
}
