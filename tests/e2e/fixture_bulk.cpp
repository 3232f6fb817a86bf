// The "bulk" mode: COUNT listed windows, titled after this process's serial
// and their index, all made before the driver is told they are ready.
#include "fixture_app.h"
#include "fixture_roles.h"
#include "fixture_signals.h"

namespace fixture {

int RunBulk(const Args &args) {
  const HANDLE ready = e2e::OpenSignal(e2e::Signal::Ready, args.tag);
  const HANDLE exit = e2e::OpenSignal(e2e::Signal::Exit, args.tag);
  if (ready == nullptr || exit == nullptr)
    return 3;
  Listing made;
  for (int i = 0; i < args.count; ++i) {
    // Small and stacked below the fixture's role windows.
    const Place place{420 + (i % 32) * 24, 460 + (i / 32 % 16) * 24, 160, 40};
    HWND hwnd =
        MakeWindow(e2e::BulkTitle(args.serial, i), WS_OVERLAPPED | WS_CAPTION,
                   0, place, nullptr, false);
    if (hwnd == nullptr)
      return 4;
    made.emplace_back(std::to_string(i), hwnd);
    if (i % 64 == 0)
      PumpPending();
  }
  if (!WriteListing(args.file, made))
    return 6;
  SetEvent(ready);
  PumpUntil(&exit, 1);
  return 0;
}

} // namespace fixture
