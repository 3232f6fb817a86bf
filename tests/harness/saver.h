// saver.exe, the rules file's test program: the real rules store, saving in
// the folder that its APPDATA names. One process runs one mode:
//   saver.exe from N      loads, then saves the changes Change(N),
//                         Change(N + 1), ... until it is ended
//   saver.exe add NAME N  adds the rules of C:\NAME0.exe to C:\NAME<N-1>.exe,
//                         one save each (see kReadyName)
//   saver.exe set PATH    adds the rule of PATH, in the ANSI code page
//   saver.exe cafe        adds the rule of C:\Café.exe, spelt in its own
//                         ANSI code page
//   saver.exe load        loads
// Exit code: 0 when every save succeeded, or the error code of the first
// that did not (1 if it had none). "load" ends with a LoadExit.
#pragma once

#include <cstdio>

#include "settings.h"

namespace saver {

enum LoadExit {
  kWhole = 0,
  kKeptAside = 1,
  kNotKeptAside = 2,
  kUnreadable = 3
};

// "add" copies started together: each releases the semaphore once it has
// loaded, then waits for the event before it adds a rule.
constexpr char kReadyName[] = "TopmostTamerTest.SaverReady";
constexpr char kGoName[] = "TopmostTamerTest.SaverGo";

// The window class of every rule that "add", "set" and "cafe" make.
constexpr char kClass[] = "SaverWindow";

// The change of save `step` in "from": the rules of eight applications,
// each turned over every eight saves, one removed every 24, so that every
// save changes the file; with classes long enough that the file takes
// several writes.
inline SettingsChange Change(unsigned step) {
  SettingsChange change{SettingsChange::Kind::SetRule, {}, false};
  char path[32], windowClass[720];
  const unsigned app = step % 8;
  std::snprintf(path, sizeof path, "C:\\Apps\\app%u.exe", app);
  std::snprintf(windowClass, sizeof windowClass, "Class%u-%0700u", app, 0u);
  if (step % 24 == 23)
    change.kind = SettingsChange::Kind::RemoveRule;
  MakeRule(change.rule, path, windowClass,
           step / 8 % 2 ? Direction::OnTop : Direction::OffTop);
  return change;
}

} // namespace saver
