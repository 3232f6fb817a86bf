#include "options.h"

#include "fixture_client.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

bool ParseOptions(int argc, char **argv, const Options &defaults,
                  Options &options) {
  options = defaults;
  if (argc > 1 && argv[1][0] != '-')
    options.windows = std::atoi(argv[1]);
  options.rounds =
      std::atoi(fixture::OptionValue(argc, argv, "--rounds",
                                     std::to_string(defaults.rounds))
                    .c_str());
  options.fixture =
      fixture::OptionValue(argc, argv, "--fixture", defaults.fixture);
  options.readyTimeoutMs =
      static_cast<DWORD>(std::atoi(
          fixture::OptionValue(argc, argv, "--ready-timeout",
                               std::to_string(defaults.readyTimeoutMs / 1000))
              .c_str())) *
      1000;
  options.tamer = fixture::OptionValue(argc, argv, "--tamer", defaults.tamer);
  options.minimal =
      fixture::OptionValue(argc, argv, "--minimal", defaults.minimal);
  return options.windows > 0 && options.rounds > 0;
}

void PrintUsage(const char *name) {
  std::fprintf(stderr,
               "usage: %s [N] [--rounds R] [--fixture PATH] "
               "[--ready-timeout SECONDS] [--tamer PATH] [--minimal PATH]\n",
               name);
}

Options DefaultOptions(int windows, int rounds) {
  return {windows,
          rounds,
          fixture::SiblingPath("fixture.exe"),
          600 * 1000,
          fixture::SiblingPath("..\\mainwindow\\TopmostTamer.exe"),
          fixture::SiblingPath("minimal_window.exe")};
}

} // namespace bench
