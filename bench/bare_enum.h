// The enumeration with nothing written anywhere: the same four tests and the
// same title call as the catalogue, keeping only counts. The floor that any
// fill or narrowing is measured against.
#pragma once

namespace bench {

struct BareCount {
  int offered = 0;
  int qualifying = 0;
};

// Runs one bare enumeration into `count` and returns its time in ms.
double TimeBare(BareCount &count);

} // namespace bench
