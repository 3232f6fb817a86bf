// fill_bench [N] [--rounds R] [--fixture PATH] [--ready-timeout SECONDS]
//
// How much the list costs on top of the enumeration itself: times
// FillTaskList into a visible list box (redraw on, on screen, repainted
// before the clock stops) against a bare enumeration that makes the same
// four tests and the same title call and keeps nothing. N windows (default
// 2000) come from `fixture bulk N` in another process, as real applications'
// windows would. Last line:
//   fill windows=N fill_ms=M bare_ms=M ratio=R   (medians)
#include "MTaskList.h"

// After the catalogue's header: <windows.h> macros clash with its constants.
#include "desktop.h"
#include "fixture_client.h"
#include "pump.h"
#include "stats.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct BareCount {
  int offered = 0;
  int qualifying = 0;
};

// The enumeration with nothing written anywhere: the floor for any fill.
BOOL CALLBACK BareProc(HWND hwnd, LPARAM lParam) {
  BareCount &count = *reinterpret_cast<BareCount *>(lParam);
  ++count.offered;
  if (!IsWindowVisible(hwnd) || GetParent(hwnd) != nullptr ||
      GetWindowLongPtrA(hwnd, GWLP_HWNDPARENT) != 0)
    return TRUE;
  char title[256];
  if (GetWindowTextA(hwnd, title, sizeof title) > 0)
    ++count.qualifying;
  return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to,
                    LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

class Stopwatch {
public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double ElapsedMs() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return Milliseconds(start_, now, frequency_);
  }

private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

double TimeFill(HWND list) {
  const Stopwatch watch;
  MTaskList::FillTaskList(list);
  // The user sees the list once it is painted: that belongs to the fill.
  UpdateWindow(list);
  return watch.ElapsedMs();
}

double TimeBare(BareCount &count) {
  count = {};
  const Stopwatch watch;
  EnumWindows(BareProc, reinterpret_cast<LPARAM>(&count));
  return watch.ElapsedMs();
}

} // namespace

int main(int argc, char **argv) {
  const int windows = argc > 1 && argv[1][0] != '-' ? std::atoi(argv[1]) : 2000;
  const int rounds =
      std::atoi(fixture::OptionValue(argc, argv, "--rounds", "7").c_str());
  const std::string fixturePath = fixture::OptionValue(
      argc, argv, "--fixture", fixture::SiblingPath("fixture.exe"));
  const DWORD readyTimeoutMs =
      static_cast<DWORD>(std::atoi(
          fixture::OptionValue(argc, argv, "--ready-timeout", "600").c_str())) *
      1000;
  if (windows <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: fill_bench [N] [--rounds R] [--fixture PATH] "
                         "[--ready-timeout SECONDS]\n");
    return 2;
  }

  const Stopwatch setup;
  fixture::Process fx;
  if (!fx.Start(fixturePath,
                "bulk " + std::to_string(windows) + " --timeout 1800",
                readyTimeoutMs)) {
    std::fprintf(stderr, "fill_bench: %s\n", fx.Error().c_str());
    return 1;
  }
  std::printf("fixture: %d windows ready in %.0f ms\n", windows,
              setup.ElapsedMs());

  desktop::ListHost host;
  if (!host.Create(true, 420, 700)) {
    std::fprintf(stderr, "fill_bench: cannot create the list box\n");
    return 1;
  }
  wine_pump::UntilIdle();

  // One untimed round each: first-touch costs are not what is measured.
  BareCount count;
  TimeFill(host.List());
  TimeBare(count);
  wine_pump::UntilIdle();

  std::vector<double> fill;
  std::vector<double> bare;
  for (int round = 0; round < rounds; ++round) {
    // Alternating, so drift in the machine's speed hits both sides alike.
    fill.push_back(TimeFill(host.List()));
    wine_pump::UntilIdle();
    bare.push_back(TimeBare(count));
    wine_pump::UntilIdle();
  }
  const LRESULT entries = SendMessageA(host.List(), LB_GETCOUNT, 0, 0);
  std::printf("top-level windows offered: %d, listed: %ld, bare qualifying: "
              "%d\n",
              count.offered, static_cast<long>(entries), count.qualifying);

  const bench::Summary fillStats = bench::Summarize(fill);
  const bench::Summary bareStats = bench::Summarize(bare);
  std::printf("fill_ms min=%.2f median=%.2f max=%.2f; bare_ms min=%.2f "
              "median=%.2f max=%.2f; rounds=%d\n",
              fillStats.min, fillStats.median, fillStats.max, bareStats.min,
              bareStats.median, bareStats.max, rounds);
  fx.Stop();
  std::printf("fill windows=%d fill_ms=%.2f bare_ms=%.2f ratio=%.2f\n", windows,
              fillStats.median, bareStats.median,
              bareStats.median > 0 ? fillStats.median / bareStats.median : 0.0);
  return 0;
}
