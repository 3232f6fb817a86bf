// The fixture windows of a bench, spread over as many fixture processes as
// the count needs: one process may hold at most 10,000 window handles, and
// the window manager sees windows of several applications either way.
#pragma once

#include "fixture_client.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace bench {

// The most windows one fixture process is asked for.
constexpr int kWindowsPerFixture = 2000;

class FixtureFleet {
public:
  FixtureFleet() = default;
  FixtureFleet(const FixtureFleet &) = delete;
  FixtureFleet &operator=(const FixtureFleet &) = delete;
  ~FixtureFleet() { Stop(); }

  // Starts `fixture.exe bulk` processes holding `windows` windows between
  // them, each ready within `readyTimeoutMs`. False, with a reason in
  // Error(), if any of them failed; those started are stopped again.
  bool Start(const std::string &exe, int windows, DWORD readyTimeoutMs);
  void Stop();

  int Processes() const { return static_cast<int>(processes_.size()); }
  const std::string &Error() const { return error_; }

private:
  std::vector<std::unique_ptr<fixture::Process>> processes_;
  std::string error_;
};

} // namespace bench
