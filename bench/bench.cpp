// bench.exe MODE [N]: the figures behind bench/run (see there).
#include "bench.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fixture.h"

namespace bench {

double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

std::string Beside(const std::string &relative) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + relative;
}

Spread Print(const std::string &name, const std::vector<double> &samples) {
  std::vector<double> sorted = samples;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t n = sorted.size();
  const Spread spread{sorted.front(),
                      n % 2 == 1 ? sorted[n / 2]
                                 : (sorted[n / 2 - 1] + sorted[n / 2]) / 2,
                      sorted.back()};
  std::printf("%s min=%.2f median=%.2f max=%.2f\n", name.c_str(), spread.min,
              spread.median, spread.max);
  return spread;
}

Spread PrintRatio(const std::string &name, const std::vector<double> &a,
                  const std::vector<double> &b) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    ratios.push_back(a[i] / b[i]);
  return Print(name, ratios);
}

std::vector<harness::Program> StartFixtures(int windows) {
  constexpr int kPerProcess = 2000;
  const int processes = (windows + kPerProcess - 1) / kPerProcess;
  const double start = NowMs();
  std::vector<harness::Program> fixtures(static_cast<std::size_t>(processes));
  for (int i = 0; i < processes; ++i) {
    // Even shares; the first processes take one each of the remainder.
    const int share = windows / processes + (i < windows % processes ? 1 : 0);
    if (!fixtures[static_cast<std::size_t>(i)].Start(
            Beside("..\\tests\\harness\\fixture.exe"),
            "bulk " + std::to_string(share), fixture::kControlCaption, false))
      return {};
  }
  std::printf("fixture: %d windows in %d processes, up in %.0f ms\n", windows,
              processes, NowMs() - start);
  return fixtures;
}

} // namespace bench

namespace {

struct Mode {
  const char *name;
  int (*run)(int);
  int defaultCount;
};

constexpr Mode kModes[] = {
    {"fill", bench::Fill, 2000},     {"narrow", bench::Narrow, 2000},
    {"startup", bench::Startup, 41}, {"memory", bench::Memory, 2000},
    {"keep", bench::Keep, 20},
};

} // namespace

int main(int argc, char **argv) {
  // Plain line ends, for the scripts that read the last line.
  _setmode(_fileno(stdout), _O_BINARY);
  for (const Mode &mode : kModes) {
    if (argc < 2 || std::strcmp(argv[1], mode.name) != 0)
      continue;
    const int count = argc > 2 ? std::atoi(argv[2]) : mode.defaultCount;
    if (count < 1)
      break;
    std::printf("build: %s\n", sizeof(void *) == 4 ? "i686" : "x86_64");
    const int status = mode.run(count);
    std::fflush(stdout);
    return status;
  }
  std::fprintf(stderr, "usage: bench fill|narrow|memory [WINDOWS] | "
                       "bench startup [ROUNDS] | bench keep [SECONDS]\n");
  return 2;
}
