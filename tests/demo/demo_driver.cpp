// A short scripted demonstration of Topmost Tamer: an always-on-top "ad
// banner" of this process, then the program, driven through "Locate Top Most
// Window", the selection, "MiniMize" and "Restore Size".
//
// Before each step's picture it prints "shot NAME" and waits for a line on
// standard input: the script on the other end takes the screenshot.
//
//   demo_driver.exe PATH\TopmostTamer.exe
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kBannerClass[] = "TopmostTamerDemoBanner";
constexpr char kBannerTitle[] = "Demo Ad Banner - Click to Win!";
constexpr char kFormCaption[] = "Manipulate Windows always on top";
constexpr DWORD kStepTimeoutMs = 10000;

LRESULT CALLBACK BannerProc(HWND hwnd, UINT message, WPARAM wParam,
                            LPARAM lParam) {
  if (message != WM_PAINT)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH yellow = CreateSolidBrush(RGB(255, 214, 0));
  FillRect(dc, &client, yellow);
  DeleteObject(yellow);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(180, 0, 0));
  DrawTextA(dc, "BUY NOW! Always on top, always in the way.", -1, &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(hwnd, &paint);
  return 0;
}

HWND CreateBanner(HINSTANCE instance) {
  WNDCLASSA banner{};
  banner.lpfnWndProc = BannerProc;
  banner.hInstance = instance;
  banner.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  banner.lpszClassName = kBannerClass;
  if (RegisterClassA(&banner) == 0)
    return nullptr;
  return CreateWindowExA(WS_EX_TOPMOST, kBannerClass, kBannerTitle,
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 380, 120, 420, 140,
                         nullptr, nullptr, instance, nullptr);
}

// Dispatches this thread's messages (the banner's) until `done` holds or the
// time runs out: the program schedules its show commands on the banner's
// thread, so they only happen while we pump.
template <typename Condition> bool PumpUntil(Condition done) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done())
      return true;
    if (GetTickCount() - start > kStepTimeoutMs)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

void Settle() {
  const DWORD until = GetTickCount() + 300;
  PumpUntil([until] { return static_cast<LONG>(GetTickCount() - until) >= 0; });
}

void Shot(const char *name) {
  Settle();
  std::printf("shot %s\n", name);
  std::fflush(stdout);
  char answer[16];
  if (std::fgets(answer, sizeof answer, stdin) == nullptr)
    std::exit(1);
}

struct ChildSearch {
  const char *className;
  const char *text; // nullptr: any text
  HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM lParam) {
  auto *search = reinterpret_cast<ChildSearch *>(lParam);
  char className[32];
  char text[64];
  GetClassNameA(child, className, sizeof className);
  GetWindowTextA(child, text, sizeof text);
  if (lstrcmpiA(className, search->className) != 0)
    return TRUE;
  if (search->text != nullptr && std::strcmp(text, search->text) != 0)
    return TRUE;
  search->found = child;
  return FALSE;
}

HWND FindChild(HWND form, const char *className, const char *text) {
  ChildSearch search{className, text, nullptr};
  EnumChildWindows(form, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A click as the button's own notification: BM_CLICK, sent with a time cap so
// a stuck program cannot stall the demonstration.
void Click(HWND button) {
  DWORD_PTR result;
  SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kStepTimeoutMs,
                      &result);
}

void SelectFirstEntry(HWND form, HWND list) {
  DWORD_PTR result;
  SendMessageTimeoutA(list, LB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG,
                      kStepTimeoutMs, &result);
  // LB_SETCURSEL does not notify; the form hears what a user's click sends.
  SendMessageTimeoutA(form, WM_COMMAND,
                      MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list), SMTO_ABORTIFHUNG,
                      kStepTimeoutMs, &result);
}

int Fail(const char *what) {
  std::printf("demo: %s\n", what);
  std::fflush(stdout);
  return 1;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2)
    return Fail("usage: demo_driver.exe PATH\\TopmostTamer.exe");
  HWND banner = CreateBanner(GetModuleHandleA(nullptr));
  if (banner == nullptr)
    return Fail("cannot create the banner");

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION program{};
  if (!CreateProcessA(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &program))
    return Fail("cannot start the program");
  HWND form = nullptr;
  PumpUntil([&form] {
    form = FindWindowA(nullptr, kFormCaption);
    return form != nullptr && IsWindowVisible(form);
  });
  if (form == nullptr)
    return Fail("the program's window did not appear");
  HWND list = FindChild(form, "ListBox", nullptr);
  HWND locate = FindChild(form, "Button", "Locate Top Most Window");
  HWND minimize = FindChild(form, "Button", "MiniMize");
  HWND restore = FindChild(form, "Button", "Restore Size");
  if (!list || !locate || !minimize || !restore)
    return Fail("a control of the program is missing");

  Shot("1-started");
  Click(locate);
  Shot("2-located");
  SelectFirstEntry(form, list);
  Shot("3-selected");
  Click(minimize);
  if (!PumpUntil([banner] { return IsIconic(banner) != FALSE; }))
    return Fail("the banner was not minimised");
  Shot("4-minimised");
  Click(restore);
  if (!PumpUntil([banner] { return IsIconic(banner) == FALSE; }))
    return Fail("the banner was not restored");
  Shot("5-restored");

  PostMessageA(form, WM_CLOSE, 0, 0);
  PumpUntil([&program] {
    return WaitForSingleObject(program.hProcess, 0) == WAIT_OBJECT_0;
  });
  CloseHandle(program.hThread);
  CloseHandle(program.hProcess);
  DestroyWindow(banner);
  std::printf("done\n");
  return 0;
}
