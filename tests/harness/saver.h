// saver.exe, the rules file's test program: the real rules store, saving in
// the folder that its APPDATA names. One process runs one mode:
//   saver.exe from N      saves Change(N), Change(N + 1), ... until ended
//   saver.exe add NAME N  adds the rules of C:\NAME0.exe to C:\NAME<N-1>.exe,
//                         one save each, starting with the other copies
//                         started with it (see kReadyName)
//   saver.exe set PATH    adds the rule of PATH
//   saver.exe where PATH  ends with 0 if its file is PATH, touching nothing
// Else it ends with 0 when every save succeeded, or the error code of the
// first that did not.
#pragma once

#include <cstdio>

#include "settings.h"

namespace saver {

// Each "add" copy releases this semaphore once it has loaded, then waits for
// this event.
constexpr char kReadyName[] = "TopmostTamerTest.SaverReady";
constexpr char kGoName[] = "TopmostTamerTest.SaverGo";

// The change of save `step` in "from": the rules of eight applications,
// each turned over every eight saves and one removed every 24, so that every
// save changes the file; their classes are long enough that a file takes
// several writes.
inline SettingsChange Change(unsigned step) {
  SettingsChange change{SettingsChange::Kind::SetRule, {}, false};
  if (step % 24 == 23)
    change.kind = SettingsChange::Kind::RemoveRule;
  char path[32], windowClass[720];
  std::snprintf(path, sizeof path, "C:\\Apps\\app%u.exe", step % 8);
  std::snprintf(windowClass, sizeof windowClass, "Class%0700u", step % 8);
  MakeRule(change.rule, path, windowClass,
           step / 8 % 2 ? Direction::OnTop : Direction::OffTop);
  return change;
}

} // namespace saver
