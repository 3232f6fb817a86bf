// The command line that every bench program shares:
//   BENCH [N] [--rounds R] [--fixture PATH] [--ready-timeout SECONDS]
//         [--tamer PATH] [--minimal PATH]
// Each bench reads the options it uses; the defaults are its own.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

struct Options {
  int windows;
  int rounds;
  std::string fixture;  // fixture.exe
  DWORD readyTimeoutMs; // for each fixture process to get its windows up
  std::string tamer;    // TopmostTamer.exe
  std::string minimal;  // minimal_window.exe
};

// `defaults` supplies what the command line leaves out. False when N or R
// is not positive.
bool ParseOptions(int argc, char **argv, const Options &defaults,
                  Options &options);

// The usage line for a bench named `name`, to stderr.
void PrintUsage(const char *name);

// The defaults every bench starts from: the tools beside the bench program,
// the program where the build puts it.
Options DefaultOptions(int windows, int rounds);

} // namespace bench
