// What every driver does around its cases: read the arguments (the program,
// the fixture and a work directory, as Unix paths, and the display's DPI),
// start the fixture's "roles" process, run the cases, stop the fixture and
// print "checks: N passed, N failed".
#pragma once

#include "suite.h"

namespace e2e {

int RunDriver(int argc, char **argv, void (*cases)(Suite &suite));

} // namespace e2e
