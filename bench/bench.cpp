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
namespace {

// The CPU time in ms that the Linux process running `exe` (its full path:
// other test beds may run other copies) has used, from /proc through Wine's
// Z: drive, as Wine reports no other process's times; negative if not found.
double CpuMs(const std::string &exe) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  double ms = -1;
  for (BOOL more = search != INVALID_HANDLE_VALUE; more && ms < 0;
       more = FindNextFileA(search, &found)) {
    const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
    char text[4096] = {};
    FILE *file = std::fopen((dir + "\\cmdline").c_str(), "rb");
    if (file == nullptr)
      continue;
    const size_t length = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    std::replace(text, text + length, '\0', ' ');
    if (std::strstr(text, exe.c_str()) == nullptr ||
        (file = std::fopen((dir + "\\stat").c_str(), "rb")) == nullptr)
      continue;
    std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    // After the command's name: fields 3 to 15; utime and stime are the
    // last two, in ticks of 10 ms.
    const char *field = std::strrchr(text, ')');
    for (int i = 0; field != nullptr && i < 12; ++i)
      field = std::strchr(field + 1, ' ');
    if (field != nullptr) {
      char *end = nullptr;
      const double user = std::strtod(field, &end);
      ms = 10 * (user + std::strtod(end, nullptr));
    }
  }
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  return ms;
}

} // namespace

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

double CpuShare(int seconds, const std::function<void(DWORD)> &during) {
  const double before = CpuMs(Beside(kTamerExe)), start = NowMs();
  during(static_cast<DWORD>(seconds) * 1000);
  const double after = CpuMs(Beside(kTamerExe));
  return before < 0 || after < 0 ? -1 : (after - before) / (NowMs() - start);
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty())
    return -1;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p *
                                    static_cast<double>(values.size() - 1))];
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
    {"keep", bench::Keep, 20},       {"rules", bench::Rules, 40},
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
                       "bench startup [ROUNDS] | bench keep [SECONDS] | "
                       "bench rules [ROUNDS]\n");
  return 2;
}
