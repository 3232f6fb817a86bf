// The driver's side of the fixture application: start it, learn its window
// handles, thaw its hung window and stop it.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace e2e {

class Fixture {
public:
  // Starts `exe` and waits until its windows exist; false if it never gets
  // there.
  bool Start(const std::string &exe, const std::string &handles_file);
  HWND Window(const std::string &role) const;
  DWORD ProcessId() const { return process_.dwProcessId; }
  // Lets the hung window's thread pump messages again.
  void Resume();
  void Stop();

private:
  PROCESS_INFORMATION process_ = {};
  HANDLE resume_ = nullptr;
  HANDLE exit_ = nullptr;
  std::map<std::string, HWND> windows_;
};

} // namespace e2e
