// memory_bench [N] [--fixture PATH] [--ready-timeout SECONDS] [--tamer PATH]
//              [--minimal PATH]
//
// What TopmostTamer.exe keeps in memory: its working set after start, after
// 100 fills of the list with N fixture windows (default 2000) on the desktop,
// and after 200, to show that it does not grow with the number of fills;
// against a minimal program with one empty window after start. The fills are
// real clicks on "Get All Windows" by the button's own message. Last line:
//   memory start_kb=K after100_kb=K after200_kb=K minimal_kb=K ratio=R
// with ratio = start / minimal.
#include "captions.h"
#include "fixture_fleet.h"
#include "gui_process.h"
#include "options.h"
#include "report.h"
#include "stopwatch.h"
#include "working_set.h"

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kStartTimeoutMs = 60 * 1000;
constexpr DWORD kClickTimeoutMs = 60 * 1000;
constexpr int kFillsPerStep = 100;

// Reads and prints the figures of `process` once it has settled.
bool Measure(const bench::GuiProcess &process, const char *stage,
             bench::MemoryFigures &figures) {
  process.Settle();
  if (!bench::ReadMemoryFigures(process.Handle(), figures)) {
    std::fprintf(stderr, "memory_bench: no memory figures (error %lu)\n",
                 GetLastError());
    return false;
  }
  std::printf("%s: working set %.0f KB, peak %.0f KB, private %.0f KB\n", stage,
              figures.workingSetKb, figures.peakWorkingSetKb,
              figures.privateKb);
  return true;
}

// Clicks "Get All Windows" `fills` times; each click returns once its fill
// is done. False if the program stopped answering.
bool Fill(HWND form, int fills) {
  const HWND button = FindWindowExA(form, nullptr, "Button", "Get All Windows");
  if (button == nullptr) {
    std::fprintf(stderr, "memory_bench: no \"Get All Windows\" button\n");
    return false;
  }
  const bench::Stopwatch watch;
  for (int i = 0; i < fills; ++i) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG,
                             kClickTimeoutMs, &result)) {
      std::fprintf(stderr, "memory_bench: click %d timed out\n", i + 1);
      return false;
    }
  }
  const HWND list = FindWindowExA(form, nullptr, "ListBox", nullptr);
  std::printf("%d fills in %.0f ms; entries in the list: %ld\n", fills,
              watch.ElapsedMs(),
              static_cast<long>(SendMessageA(list, LB_GETCOUNT, 0, 0)));
  return true;
}

bool StartProgram(bench::GuiProcess &process, const std::string &exe,
                  const char *caption) {
  if (process.Start(exe, caption, kStartTimeoutMs))
    return true;
  std::fprintf(stderr, "memory_bench: %s\n", process.Error().c_str());
  return false;
}

} // namespace

int main(int argc, char **argv) {
  bench::Options options;
  if (!bench::ParseOptions(argc, argv, bench::DefaultOptions(2000, 1),
                           options)) {
    bench::PrintUsage("memory_bench");
    return 2;
  }

  const bench::Stopwatch setup;
  bench::FixtureFleet fleet;
  if (!fleet.Start(options.fixture, options.windows, options.readyTimeoutMs)) {
    std::fprintf(stderr, "memory_bench: %s\n", fleet.Error().c_str());
    return 1;
  }
  std::printf("fixture: %d windows in %d processes ready in %.0f ms\n",
              options.windows, fleet.Processes(), setup.ElapsedMs());

  bench::MemoryFigures minimal = {};
  {
    bench::GuiProcess process;
    if (!StartProgram(process, options.minimal, bench::kMinimalCaption) ||
        !Measure(process, "minimal after start", minimal))
      return 1;
  }

  bench::MemoryFigures start = {};
  bench::MemoryFigures after100 = {};
  bench::MemoryFigures after200 = {};
  bench::GuiProcess tamer;
  if (!StartProgram(tamer, options.tamer, bench::kTamerCaption) ||
      !Measure(tamer, "tamer after start", start) ||
      !Fill(tamer.Window(), kFillsPerStep) ||
      !Measure(tamer, "tamer after 100 fills", after100) ||
      !Fill(tamer.Window(), kFillsPerStep) ||
      !Measure(tamer, "tamer after 200 fills", after200))
    return 1;
  tamer.Close();
  fleet.Stop();

  std::printf("memory start_kb=%.0f after100_kb=%.0f after200_kb=%.0f "
              "minimal_kb=%.0f ratio=%.2f\n",
              start.workingSetKb, after100.workingSetKb, after200.workingSetKb,
              minimal.workingSetKb,
              bench::Ratio(start.workingSetKb, minimal.workingSetKb));
  return 0;
}
