// fixture.exe MODE [N]: holds the windows that the tests list or skip, in a
// process of its own as another application's windows would be (see
// fixture.h).
#include "fixture.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HINSTANCE instance;
DWORD hungThread;
HANDLE frozen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
HANDLE thaw = CreateEventA(nullptr, FALSE, FALSE, nullptr);
// A fixture that outlives its test ends itself.
constexpr UINT kLifetimeMs = 15 * 60 * 1000;

LRESULT CALLBACK BannerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT)
    return DefWindowProcA(hwnd, msg, wp, lp);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  const HBRUSH yellow = CreateSolidBrush(RGB(255, 214, 0));
  FillRect(dc, &client, yellow);
  DeleteObject(yellow);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(180, 0, 0));
  DrawTextA(dc, "BUY NOW! Always on top, always in the way.", -1, &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(hwnd, &paint);
  return 0;
}

HWND Make(const std::string &cls, const std::string &title, DWORD style,
          DWORD exStyle, int x, int y, HWND owner = nullptr,
          WNDPROC proc = DefWindowProcA) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = cls.c_str();
  RegisterClassA(&wc); // fails harmlessly for a class made before
  return CreateWindowExA(exStyle, cls.c_str(), title.c_str(), style, x, y, 180,
                         120, owner, nullptr, instance, nullptr);
}

// Digits cycling up to `length`, so a cut at any length shows.
std::string PadTo(std::string title, size_t length) {
  while (title.size() < length)
    title += static_cast<char>('0' + title.size() % 10);
  return title;
}

std::string TitleOf(const fixture::Role &role) {
  if (role.title != nullptr)
    return role.title;
  if (std::strcmp(role.name, "long") == 0)
    return PadTo("Fixture Long ", 300);
  std::string every; // 255 bytes: a cut one short drops the last
  for (int byte = 1; byte <= 255; ++byte)
    every += static_cast<char>(byte);
  return every;
}

HWND MakeRole(int index, HWND first) {
  const fixture::Role &role = fixture::kRoles[index];
  return Make(std::string("fixture.") + role.name, TitleOf(role), role.style,
              role.exStyle, 420 + index % 4 * 190, 120 + index / 4 * 150,
              role.ownedByFirst ? first : nullptr);
}

// The hung role's thread: it dispatches its messages until told to freeze,
// then looks at none until thawed, as a hung application's would.
DWORD WINAPI HungMain(void *index) {
  MakeRole(static_cast<int>(reinterpret_cast<INT_PTR>(index)), nullptr);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue
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

void MakeRoles() {
  HWND first = nullptr;
  for (int i = 0; i < static_cast<int>(std::size(fixture::kRoles)); ++i) {
    if (std::strcmp(fixture::kRoles[i].name, "hung") == 0) {
      CreateThread(nullptr, 0, HungMain, reinterpret_cast<void *>(INT_PTR{i}),
                   0, &hungThread);
      WaitForSingleObject(frozen, INFINITE); // its window is up
      continue;
    }
    const HWND made = MakeRole(i, first);
    if (first == nullptr)
      first = made;
  }
}

void MakeBulk(int count) {
  const std::string serial = std::to_string(GetCurrentProcessId());
  for (int i = 0; i < count; ++i)
    Make("fixture.bulk",
         PadTo("Bulk " + serial + " #" + std::to_string(i) + " ",
               16 + static_cast<size_t>(i) * 97 % 285),
         WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 20 + i % 40 * 12,
         20 + i % 30 * 12);
}

// Each tick replaces the oldest few windows, so every enumeration meets
// windows that vanish under it.
void CALLBACK Churn(HWND, UINT, UINT_PTR, DWORD) {
  static std::vector<HWND> alive;
  static int made = 0;
  for (int i = 0; i < 4; ++i, ++made) {
    alive.push_back(Make("fixture.churn", "Churn #" + std::to_string(made),
                         WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0,
                         600 + made % 20 * 8, 500 + made % 20 * 8));
    if (alive.size() > 24) {
      DestroyWindow(alive.front());
      alive.erase(alive.begin());
    }
  }
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case fixture::kFreeze:
    PostThreadMessageA(hungThread, fixture::kFreeze, 0, 0);
    return WaitForSingleObject(frozen, 5000) == WAIT_OBJECT_0;
  case fixture::kThaw:
    return SetEvent(thaw);
  case WM_CLOSE:
  case WM_TIMER:
    // The hung thread may be frozen: end the process, not just this thread.
    ExitProcess(0);
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

int main(int argc, char **argv) {
  instance = GetModuleHandleA(nullptr);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "roles")
    MakeRoles();
  else if (mode == "bulk" && argc > 2)
    MakeBulk(std::atoi(argv[2]));
  else if (mode == "churn")
    SetTimer(nullptr, 0, 1, Churn);
  else if (mode == "demo")
    SetWindowPos(Make("fixture.demo", "Demo Ad Banner - Click to Win!",
                      fixture::kFrame, WS_EX_TOPMOST, 0, 0, nullptr,
                      BannerProc),
                 nullptr, 380, 120, 420, 140, SWP_NOZORDER);
  else
    return 2;
  const HWND control = Make("fixture.control", fixture::kControlCaption, 0, 0,
                            0, 0, nullptr, ControlProc);
  SetTimer(control, 1, kLifetimeMs, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    DispatchMessageA(&msg);
  return 0;
}
