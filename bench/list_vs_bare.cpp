#include "list_vs_bare.h"

#include "bare_enum.h"
#include "desktop.h"
#include "fixture_fleet.h"
#include "options.h"
#include "pump.h"
#include "report.h"
#include "stopwatch.h"

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

int RunAgainstBare(const char *name, ListCommand command, int argc,
                   char **argv) {
  Options options;
  if (!ParseOptions(argc, argv, DefaultOptions(2000, 7), options)) {
    PrintUsage(name);
    return 2;
  }

  const Stopwatch setup;
  FixtureFleet fleet;
  if (!fleet.Start(options.fixture, options.windows, options.readyTimeoutMs)) {
    std::fprintf(stderr, "%s: %s\n", name, fleet.Error().c_str());
    return 1;
  }
  std::printf("fixture: %d windows in %d processes ready in %.0f ms\n",
              options.windows, fleet.Processes(), setup.ElapsedMs());

  desktop::ListHost host;
  if (!host.Create(true, 420, 700)) {
    std::fprintf(stderr, "%s: cannot create the list box\n", name);
    return 1;
  }
  wine_pump::UntilIdle();

  // One untimed round each: first-touch costs are not what is measured.
  BareCount count;
  command(host.List());
  TimeBare(count);
  wine_pump::UntilIdle();

  std::vector<double> timed;
  std::vector<double> bare;
  for (int round = 0; round < options.rounds; ++round) {
    // Alternating, so drift in the machine's speed hits both sides alike.
    timed.push_back(command(host.List()));
    wine_pump::UntilIdle();
    bare.push_back(TimeBare(count));
    wine_pump::UntilIdle();
  }
  const LRESULT entries = SendMessageA(host.List(), LB_GETCOUNT, 0, 0);
  std::printf("top-level windows offered: %d, bare qualifying: %d, "
              "entries in the list: %ld\n",
              count.offered, count.qualifying, static_cast<long>(entries));

  const std::string timedName = std::string(name) + "_ms";
  const Summary timedStats = PrintSpread(timedName.c_str(), timed);
  const Summary bareStats = PrintSpread("bare_ms", bare);
  fleet.Stop();
  std::printf("%s windows=%d %s=%.2f bare_ms=%.2f ratio=%.2f\n", name,
              options.windows, timedName.c_str(), timedStats.median,
              bareStats.median, Ratio(timedStats.median, bareStats.median));
  return 0;
}

} // namespace bench
