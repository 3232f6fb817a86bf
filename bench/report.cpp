#include "report.h"

#include <cstdio>

namespace bench {

Summary PrintSpread(const char *name, const std::vector<double> &samples) {
  const Summary summary = Summarize(samples);
  std::printf("%s min=%.2f median=%.2f max=%.2f rounds=%u\n", name, summary.min,
              summary.median, summary.max,
              static_cast<unsigned>(samples.size()));
  return summary;
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

} // namespace bench
