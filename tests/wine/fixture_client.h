// Runs fixture.exe as a separate process, as the catalogue sees other
// applications' windows, and reads back the handles it created.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fixture {

struct CreatedWindow {
  std::string kind;
  HWND hwnd;
};

class Process {
public:
  Process() = default;
  Process(const Process &) = delete;
  Process &operator=(const Process &) = delete;
  ~Process() { Stop(); }

  // Starts `exe` with `arguments` (the scenario and its count) and waits up
  // to `readyTimeoutMs` for its windows. False, with a reason in Error(), if
  // it did not start, exited early or did not get ready in time.
  bool Start(const std::string &exe, const std::string &arguments,
             DWORD readyTimeoutMs);

  // Asks the fixture to end and waits for it; kills it as a last resort.
  void Stop();

  const std::vector<CreatedWindow> &Windows() const { return windows_; }
  // The window of `kind`, or null.
  HWND Find(const std::string &kind) const;
  const std::string &Error() const { return error_; }

private:
  bool ReadHandles();

  PROCESS_INFORMATION process_ = {};
  HANDLE ready_ = nullptr;
  HANDLE quit_ = nullptr;
  std::string outFile_;
  std::vector<CreatedWindow> windows_;
  std::string error_;
};

// The path of `fileName` in this executable's own folder.
std::string SiblingPath(const char *fileName);

// The value of `--name VALUE` among the arguments, or `fallback`.
std::string OptionValue(int argc, char **argv, const char *name,
                        const std::string &fallback);

} // namespace fixture
