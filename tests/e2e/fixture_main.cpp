// A second application for the end-to-end tests, in one of three modes:
//   roles FILE TAG              the windows of the role table
//   bulk FILE TAG COUNT SERIAL  COUNT listed windows, all at once
//   churn FILE TAG              windows created and destroyed until told to
//                               stop, every one of them logged
// Each mode lists its windows in FILE as "key handle" lines and talks to the
// driver through the signals named by TAG.
#include "fixture_app.h"

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 4 || !fixture::RegisterWindowClass(instance))
    return 2;
  const std::string mode = __argv[1];
  fixture::Args args;
  args.file = __argv[2];
  args.tag = __argv[3];
  if (mode == "roles")
    return fixture::RunRoles(args);
  if (mode == "churn")
    return fixture::RunChurn(args);
  if (mode == "bulk" && __argc == 6) {
    args.count = std::atoi(__argv[4]);
    args.serial = std::atoi(__argv[5]);
    return fixture::RunBulk(args);
  }
  return 2;
}
