// The "churn" mode: creates and destroys windows as fast as it can until the
// exit signal, keeping only the newest few alive, then lists every window it
// ever made, so the driver can tell a real entry from a stale or torn one.
#include "fixture_app.h"
#include "fixture_roles.h"
#include "fixture_signals.h"

#include <deque>

namespace fixture {
namespace {

constexpr size_t kAlive = 16;

} // namespace

int RunChurn(const Args &args) {
  const HANDLE ready = e2e::OpenSignal(e2e::Signal::Ready, args.tag);
  const HANDLE exit = e2e::OpenSignal(e2e::Signal::Exit, args.tag);
  if (ready == nullptr || exit == nullptr)
    return 3;
  SetEvent(ready);
  Listing made;
  std::deque<HWND> alive;
  for (int n = 0; WaitForSingleObject(exit, 0) == WAIT_TIMEOUT; ++n) {
    // Pop-ups: Wine's X11 driver waits for a window manager whenever a
    // captioned window goes away, which would slow the churn to a crawl.
    const Place place{420 + (n % 16) * 20, 460 + (n % 8) * 20, 160, 40};
    HWND hwnd = MakeWindow(e2e::ChurnTitle(n), WS_POPUP | WS_BORDER, 0, place,
                           nullptr, false);
    if (hwnd != nullptr) {
      made.emplace_back(std::to_string(n), hwnd);
      alive.push_back(hwnd);
    }
    if (alive.size() > kAlive) {
      DestroyWindow(alive.front());
      alive.pop_front();
    }
    PumpPending();
  }
  return WriteListing(args.file, made) ? 0 : 6;
}

} // namespace fixture
