// What the bench modes share: timing, spreads and ratios, the programs
// beside this one, and fixture windows in other processes. Each mode prints
// its figures, and its last line holds its ratio.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "program.h"

namespace bench {

// Wall-clock milliseconds from the performance counter.
double NowMs();

// The Windows path of `relative`, taken from this program's folder.
std::string Beside(const std::string &relative);
// Where the build puts the program.
constexpr char kTamerExe[] = "..\\mainwindow\\TopmostTamer.exe";
// A minimal program (minimal.cpp) shows its command line as its caption.
constexpr char kMinimalCaption[] = "Topmost Tamer bench minimal";

struct Spread {
  double min;
  double median;
  double max;
};
// Prints "NAME min=.. median=.. max=.." and returns the spread.
Spread Print(const std::string &name, const std::vector<double> &samples);
// The spread of the per-round ratios a[i] / b[i], printed as above. Rounds
// alternate, so each ratio sets two neighbouring measurements side by side.
Spread PrintRatio(const std::string &name, const std::vector<double> &a,
                  const std::vector<double> &b);

// The CPU share of one core that the program (kTamerExe) used while `during`
// ran for `seconds`; negative if it cannot be read. Wine reports no other
// process's times: they come from Linux's /proc.
double CpuShare(int seconds, const std::function<void(DWORD)> &during);
// The `p` quantile (0 to 1) of `values`; -1 for none.
double Percentile(std::vector<double> values, double p);

// `windows` windows held by `fixture.exe bulk` processes, at most 2000 in
// each (a process may hold at most 10,000 handles). Empty if one did not
// come up.
std::vector<harness::Program> StartFixtures(int windows);

// One start of `exe`, the program (`tamer`) or a minimal program, from
// CreateProcess to its window shown and waiting for input, in ms; negative
// if it did not come up. The minimal program with the program's pieces, the
// start-up's yardstick.
double TimeStart(const std::string &exe, bool tamer);
std::string SamePiecesExe();

// The modes; each returns the exit code.
int Fill(int windows);
int Narrow(int windows);
int Startup(int rounds);
int Memory(int windows);
int Keep(int seconds);
int Rules(int rounds);

} // namespace bench
