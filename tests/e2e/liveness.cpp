#include "liveness.h"

#include "wait.h"

namespace e2e {

bool DispatchesPosted(const Tamer &tamer, DWORD within_ms) {
  static LPARAM token = 0x5eed0000;
  const LPARAM expected = ++token;
  const HWND list = tamer.Ctl().list;
  if (!PostMessageW(list, LB_SETITEMDATA, 0, expected))
    return false;
  // Sent messages overtake posted ones, so the read-back repeats until the
  // posted message has been through the loop.
  return WaitUntil(
      [&] {
        DWORD_PTR data = 0;
        return SendMessageTimeoutW(list, LB_GETITEMDATA, 0, 0, SMTO_NORMAL, 100,
                                   &data) != 0 &&
               static_cast<LPARAM>(data) == expected;
      },
      within_ms);
}

} // namespace e2e
