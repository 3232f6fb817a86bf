#include "fixture_fleet.h"

namespace bench {

namespace {

// Longer than any bench runs, so a crashed bench never leaves one behind
// for long.
constexpr char kFixtureTimeout[] = " --timeout 1800";

} // namespace

bool FixtureFleet::Start(const std::string &exe, int windows,
                         DWORD readyTimeoutMs) {
  // One after the other: started together they are no quicker, as the
  // window system makes their windows one at a time anyway.
  const int processes = (windows + kWindowsPerFixture - 1) / kWindowsPerFixture;
  for (int i = 0; i < processes; ++i) {
    // Even shares, the remainder one window each to the first processes.
    const int share = windows / processes + (i < windows % processes ? 1 : 0);
    processes_.push_back(std::make_unique<fixture::Process>());
    if (!processes_.back()->Start(
            exe, "bulk " + std::to_string(share) + kFixtureTimeout,
            readyTimeoutMs)) {
      error_ = "fixture " + std::to_string(i + 1) + " of " +
               std::to_string(processes) + ": " + processes_.back()->Error();
      Stop();
      return false;
    }
  }
  return true;
}

void FixtureFleet::Stop() { processes_.clear(); }

} // namespace bench
