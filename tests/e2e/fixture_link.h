// The driver's side of the fixture application: start a fixture process,
// read the windows it lists, freeze and thaw its hung window, stop it.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// The "key handle" lines that a fixture process writes, in file order.
using Listing = std::vector<std::pair<std::string, HWND>>;

// One fixture process in any of its modes.
class FixtureProcess {
public:
  FixtureProcess() = default;
  FixtureProcess(const FixtureProcess &) = delete;
  FixtureProcess &operator=(const FixtureProcess &) = delete;
  ~FixtureProcess() { Stop(); }

  // Opens the signals tagged for this process, so that callers can open
  // more of them before it starts.
  const std::string &Tag();
  // Starts `exe` in `mode`, listing its windows in `file` (a Windows path),
  // with `extra` arguments; false if it cannot be started.
  bool Launch(const std::string &exe, const std::string &mode,
              const std::string &file, const std::string &extra = "");
  // Waits for the ready signal; false if the process never gets there.
  bool AwaitReady();
  bool Start(const std::string &exe, const std::string &mode,
             const std::string &file, const std::string &extra = "") {
    return Launch(exe, mode, file, extra) && AwaitReady();
  }
  Listing Read() const;
  DWORD ProcessId() const { return process_.dwProcessId; }
  // Tells the process to leave and waits for it; ends it if it does not.
  // True when it left on its own with exit code 0.
  bool Stop();

private:
  PROCESS_INFORMATION process_ = {};
  HANDLE ready_ = nullptr;
  HANDLE exit_ = nullptr;
  std::string tag_;
  std::string mode_;
  std::string file_;
};

// The process of the "roles" mode and its windows by role name.
class Fixture {
public:
  bool Start(const std::string &exe, const std::string &handles_file);
  HWND Window(const std::string &role) const;
  DWORD ProcessId() const { return process_.ProcessId(); }
  // Lets the hung window's thread pump messages.
  void Resume();
  // Stops it pumping again, after a Resume; true once it has stopped.
  bool Freeze();
  void Stop() { process_.Stop(); }

private:
  FixtureProcess process_;
  HANDLE resume_ = nullptr;
  HANDLE freeze_ = nullptr;
  HANDLE frozen_ = nullptr;
  std::map<std::string, HWND> windows_;
};

} // namespace e2e
