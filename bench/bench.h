// What the bench modes share: timing, spreads and ratios, the programs
// beside this one, and fixture windows in other processes. Each mode prints
// its figures, and its last line holds its ratio.
#pragma once

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

// `windows` windows held by `fixture.exe bulk` processes, at most 2000 in
// each (a process may hold at most 10,000 handles). Empty if one did not
// come up.
std::vector<harness::Program> StartFixtures(int windows);

// The modes; each returns the exit code.
int Fill(int windows);
int Narrow(int windows);
int Startup(int rounds);
int Memory(int windows);
int Keep(int seconds);

} // namespace bench
