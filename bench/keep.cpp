// bench keep [SECONDS]: "Keep Off Top" against the fixture's banner, which
// puts itself back on top every 100 ms, as ad banners do. Prints how long
// each return to the top lasted before the program took the state away
// (median and 95th percentile), the share of the time the banner spent on
// top, and the program's CPU time per second, with nothing kept and while
// keeping, over SECONDS (20) each.
#include "bench.h"
#include "desktop.h"
#include "fixture.h"
#include "resource.h"
#include "tamer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// CPU per second of the program over `seconds`, while `during` runs;
// negative if it cannot be read.
template <typename Work> double CpuShare(int seconds, Work during) {
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

} // namespace

int Keep(int seconds) {
  harness::Program roles;
  harness::Tamer tamer;
  if (!roles.Start(Beside("..\\tests\\harness\\fixture.exe"), "roles",
                   fixture::kControlCaption, false) ||
      !tamer.Start(Beside(kTamerExe)))
    return 1;
  const HWND banner = harness::WindowOf(roles.Id(), "fixture.banner", nullptr);
  const double idle = CpuShare(seconds, [](DWORD ms) { Sleep(ms); });
  if (!harness::Send(banner, fixture::kReassert, 100) ||
      !harness::Target(tamer, banner) ||
      !harness::Send(tamer.form, WM_COMMAND, IDM_mnuKeepOffTop))
    return 1;
  Sleep(1000);
  const double quiet = CpuShare(seconds, [](DWORD ms) { Sleep(ms); });
  std::printf("CPU keeping, unobserved: %.2f%%\n", quiet * 100);
  harness::OnTopSample sample{};
  const double keeping = CpuShare(
      seconds, [&](DWORD ms) { sample = harness::SampleOnTop(banner, ms); });
  std::printf("returns to the top: %zu; CPU while nothing is kept: %.2f%%\n",
              sample.returnsMs.size(), idle * 100);
  std::printf("keep seconds=%d median_ms=%.1f p95_ms=%.1f on_top=%.1f%% "
              "cpu=%.2f%%\n",
              seconds, Percentile(sample.returnsMs, 0.5),
              Percentile(sample.returnsMs, 0.95), sample.share * 100,
              keeping * 100);
  return 0;
}

} // namespace bench
