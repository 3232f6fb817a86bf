// bench startup [ROUNDS]: TopmostTamer.exe from CreateProcess to its window
// shown and waiting for input, against minimal programs that add the
// program's start-up pieces one at a time (see minimal.cpp), and against one
// that carries only the same manifest, icons, fonts and controls, and the
// icon in the notification area. Every round
// starts each program once, in an order that rotates from round to round;
// each instance is gone before the next starts.
#include "bench.h"
#include "tamer.h"

#include <cstdio>

namespace bench {
namespace {

struct Subject {
  const char *name;
  const char *exe;
  int against; // the row whose time this one adds to; -1 for none
};

// The cumulative pieces in order, then the two that the ratios compare.
constexpr Subject kSubjects[] = {
    {"bare", "minimal_bare.exe", -1},
    {"manifest", "minimal_manifest.exe", 0},
    {"dpi", "minimal_dpi.exe", 1},
    {"owner", "minimal_owner.exe", 2},
    {"menu", "minimal_menu.exe", 3},
    {"icons", "minimal_icons.exe", 4},
    {"fonts", "minimal_fonts.exe", 5},
    {"controls", "minimal_controls.exe", 6},
    {"tray", "minimal_tray.exe", 7},
    {"same_pieces", "minimal_same_pieces.exe", 0},
    {"tamer", kTamerExe, 8},
};
constexpr int kSubjectCount = static_cast<int>(std::size(kSubjects));
constexpr int kSamePieces = kSubjectCount - 2;
constexpr int kTamer = kSubjectCount - 1;

double TimeStart(const Subject &subject) {
  return bench::TimeStart(Beside(subject.exe), &subject == &kSubjects[kTamer]);
}

} // namespace

double TimeStart(const std::string &exe, bool tamer) {
  harness::Program program;
  const double start = NowMs();
  if (!program.Start(exe, tamer ? "" : kMinimalCaption,
                     tamer ? harness::kCaption : kMinimalCaption, true))
    return -1;
  const double ms = NowMs() - start;
  program.Stop();
  return ms;
}

std::string SamePiecesExe() { return Beside(kSubjects[kSamePieces].exe); }

int Startup(int rounds) {
  std::vector<double> times[kSubjectCount];
  // One untimed start each: the first reads the files from disk.
  for (const Subject &subject : kSubjects)
    if (TimeStart(subject) < 0)
      return 1;
  for (int round = 0; round < rounds; ++round) {
    for (int step = 0; step < kSubjectCount; ++step) {
      const int i = (round + step) % kSubjectCount;
      const double ms = TimeStart(kSubjects[i]);
      if (ms < 0)
        return 1;
      times[i].push_back(ms);
    }
  }

  std::printf("%d rounds; cost = the difference against the row named\n",
              rounds);
  Spread spreads[kSubjectCount];
  for (int i = 0; i < kSubjectCount; ++i)
    spreads[i] = Print(std::string(kSubjects[i].name) + "_ms", times[i]);
  std::printf("%-12s %8s %10s   %-9s %8s %10s\n", "piece", "min_ms",
              "median_ms", "against", "cost_min", "cost_median");
  for (int i = 0; i < kSubjectCount; ++i) {
    const Subject &subject = kSubjects[i];
    std::printf("%-12s %8.2f %10.2f", subject.name, spreads[i].min,
                spreads[i].median);
    if (subject.against >= 0)
      std::printf("   %-9s %+8.2f %+10.2f", kSubjects[subject.against].name,
                  spreads[i].min - spreads[subject.against].min,
                  spreads[i].median - spreads[subject.against].median);
    std::printf("\n");
  }
  const Spread same =
      PrintRatio("same_pieces_ratio", times[kTamer], times[kSamePieces]);
  const Spread bare = PrintRatio("bare_ratio", times[kTamer], times[0]);
  std::printf("startup rounds=%d tamer_ms=%.2f same_pieces_ms=%.2f "
              "bare_ms=%.2f same_pieces_ratio=%.3f bare_ratio=%.3f\n",
              rounds, spreads[kTamer].median, spreads[kSamePieces].median,
              spreads[0].median, same.median, bare.median);
  return 0;
}

} // namespace bench
