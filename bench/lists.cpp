// bench fill|narrow [N]: a list command of the program against the bare
// enumeration, with N windows of fixture processes on the desktop, as other
// applications' windows would be:
//   fill    FillTaskList ("Get All Windows") into a shown list box
//   narrow  Command2_Click ("Locate Top Most Window") on it
// Each includes the repaint the user waits for. The bare enumeration makes
// the same five tests and the same title call, and keeps only a count; it
// asks whether a window is cloaked through the program's own provider, so
// both sides pay the same for that question.
#include "MTaskList.h"
#include "frmHide_commands.h"

// After those two: <windows.h> defines some of their constants as macros.
#include "bench.h"
#include "dpi_api.h"
#include "frmHide_controls.h"
#include "frmHide_list.h"

#include <cstdio>

namespace bench {
namespace {

constexpr int kRounds = 41;
constexpr char kHostClass[] = "TopmostTamer bench list host";

// A shown top-level window holding a list box made as the program's: same
// class, styles, size and font, its rows drawn as the program draws them.
class ListHost {
public:
  ListHost() {
    using namespace frmHideLayout;
    current = this;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    const DpiApi dpiApi;
    const UINT dpi = dpiApi.WindowDpi(nullptr);
    fonts_ = CreateFormFonts(dpiApi, dpi);
    host_ = CreateWindowExA(0, kHostClass, "Topmost Tamer bench list",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            Pixels(kClientWidth, dpi) + 40,
                            Pixels(kClientHeight, dpi) + 60, nullptr, nullptr,
                            wc.hInstance, nullptr);
    list_ = CreateControl(host_, wc.hInstance, kControls[RowOf(IDC_List1)], dpi,
                          fonts_);
    UpdateWindow(host_);
  }
  ListHost(const ListHost &) = delete;
  ListHost &operator=(const ListHost &) = delete;
  ~ListHost() {
    DestroyWindow(host_);
    DeleteFormFonts(fonts_);
  }
  HWND List() const { return list_; }

private:
  static inline const ListHost *current = nullptr;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemHeight =
          static_cast<UINT>(current->fonts_.listRow);
      return TRUE;
    }
    if (message == WM_DRAWITEM) {
      DrawListRow(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam),
                  current->keeper_, current->fonts_);
      return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  Keeper keeper_; // keeps nothing: the marks read the windows' states
  frmHideFonts fonts_{};
  HWND host_ = nullptr;
  HWND list_ = nullptr;
};

BOOL CALLBACK CountQualifying(HWND hwnd, LPARAM count) {
  if (!IsWindowVisible(hwnd) || platform::IsWindowCloaked(hwnd) ||
      GetParent(hwnd) != nullptr ||
      GetWindowLongPtrA(hwnd, GWLP_HWNDPARENT) != 0)
    return TRUE;
  char title[MTaskList::kTitleBufferLength];
  if (GetWindowTextA(hwnd, title, sizeof title) > 0)
    ++*reinterpret_cast<int *>(count);
  return TRUE;
}

int qualifying = 0;

double TimeBare(HWND) {
  const double start = NowMs();
  qualifying = 0;
  EnumWindows(CountQualifying, reinterpret_cast<LPARAM>(&qualifying));
  return NowMs() - start;
}

double TimeFill(HWND list) {
  const double start = NowMs();
  MTaskList::FillTaskList(list);
  UpdateWindow(list);
  return NowMs() - start;
}

double TimeNarrow(HWND list) {
  // Command2_Click touches the list alone.
  const frmHideControls form{list, nullptr, nullptr, nullptr, nullptr};
  const double start = NowMs();
  Command2_Click(form);
  UpdateWindow(list);
  return NowMs() - start;
}

// Dispatches what is pending, such as the list's repaint after a command.
void Settle() {
  harness::WaitUntil([] { return true; });
}

int AgainstBare(const char *name, double (*command)(HWND), int windows) {
  const std::vector<harness::Program> fixtures = StartFixtures(windows);
  if (fixtures.empty())
    return 1;
  const ListHost host;
  // One untimed round each: first touches are not what is measured.
  command(host.List());
  TimeBare(host.List());
  Settle();
  std::vector<double> timed;
  std::vector<double> bare;
  for (int round = 0; round < kRounds; ++round) {
    // Alternating, and each side first in every other round, so drift in
    // the machine's speed and any cost of going first hit both alike.
    for (int side = 0; side < 2; ++side) {
      if ((round + side) % 2 == 0)
        timed.push_back(command(host.List()));
      else
        bare.push_back(TimeBare(host.List()));
      Settle();
    }
  }
  std::printf("qualifying windows: %d; entries in the list: %ld\n", qualifying,
              static_cast<long>(SendMessageA(host.List(), LB_GETCOUNT, 0, 0)));
  const std::string timedName = std::string(name) + "_ms";
  const Spread timedSpread = Print(timedName, timed);
  const Spread bareSpread = Print("bare_ms", bare);
  const Spread ratio = PrintRatio("ratio", timed, bare);
  std::printf("%s windows=%d %s=%.2f bare_ms=%.2f ratio=%.3f\n", name, windows,
              timedName.c_str(), timedSpread.median, bareSpread.median,
              ratio.median);
  return 0;
}

} // namespace

int Fill(int windows) { return AgainstBare("fill", TimeFill, windows); }

int Narrow(int windows) { return AgainstBare("narrow", TimeNarrow, windows); }

} // namespace bench
