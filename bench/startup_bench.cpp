// startup_bench [--rounds R] [--tamer PATH] [--minimal PATH]
//
// How long TopmostTamer.exe takes from CreateProcess to its window on screen
// and waiting for input, against a minimal program with one empty window
// built the same way. Rounds alternate between the two, and each instance
// is closed and gone before the next starts. Last line:
//   startup tamer_ms=M minimal_ms=M ratio=R   (medians)
#include "captions.h"
#include "gui_process.h"
#include "options.h"
#include "report.h"
#include "stopwatch.h"

#include <cstdio>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 60 * 1000;

// One start, timed; a negative time if it failed.
double TimeStart(const std::string &exe, const char *caption) {
  bench::GuiProcess process;
  const bench::Stopwatch watch;
  if (!process.Start(exe, caption, kStartTimeoutMs)) {
    std::fprintf(stderr, "startup_bench: %s\n", process.Error().c_str());
    return -1;
  }
  const double ms = watch.ElapsedMs();
  process.Close();
  return ms;
}

} // namespace

int main(int argc, char **argv) {
  bench::Options options;
  if (!bench::ParseOptions(argc, argv, bench::DefaultOptions(1, 15), options)) {
    bench::PrintUsage("startup_bench");
    return 2;
  }

  // One untimed start each: the first reads the files from disk.
  if (TimeStart(options.tamer, bench::kTamerCaption) < 0 ||
      TimeStart(options.minimal, bench::kMinimalCaption) < 0)
    return 1;

  std::vector<double> tamer;
  std::vector<double> minimal;
  for (int round = 0; round < options.rounds; ++round) {
    // Alternating, so drift in the machine's speed hits both sides alike.
    const double tamerMs = TimeStart(options.tamer, bench::kTamerCaption);
    const double minimalMs = TimeStart(options.minimal, bench::kMinimalCaption);
    if (tamerMs < 0 || minimalMs < 0)
      return 1;
    tamer.push_back(tamerMs);
    minimal.push_back(minimalMs);
  }

  const bench::Summary tamerStats = bench::PrintSpread("tamer_ms", tamer);
  const bench::Summary minimalStats = bench::PrintSpread("minimal_ms", minimal);
  std::printf("startup tamer_ms=%.2f minimal_ms=%.2f ratio=%.2f\n",
              tamerStats.median, minimalStats.median,
              bench::Ratio(tamerStats.median, minimalStats.median));
  return 0;
}
