// Order statistics of a bench's timed rounds.
#pragma once

#include <vector>

namespace bench {

struct Summary {
  double min;
  double median;
  double max;
};

// `samples` must not be empty.
Summary Summarize(std::vector<double> samples);

} // namespace bench
