#include "stats.h"

#include <algorithm>

namespace bench {

Summary Summarize(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  const double median =
      n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
  return {samples.front(), median, samples.back()};
}

} // namespace bench
