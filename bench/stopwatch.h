// Wall-clock time from the performance counter, for timing one step.
#pragma once

#include <windows.h>

namespace bench {

class Stopwatch {
public:
  Stopwatch();
  double ElapsedMs() const;

private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

} // namespace bench
