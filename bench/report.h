// How a bench prints its figures: one line per measured quantity with its
// spread over the rounds, so the machine's noise shows beside the medians.
#pragma once

#include "stats.h"

#include <vector>

namespace bench {

// Prints "NAME min=.. median=.. max=.. rounds=N" and returns the summary.
Summary PrintSpread(const char *name, const std::vector<double> &samples);

// a / b, or 0 when b is not positive.
double Ratio(double a, double b);

} // namespace bench
