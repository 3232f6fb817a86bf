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

#include <cstdio>

namespace bench {

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
