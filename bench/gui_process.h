// Another program's process with a window, as the benches start it: ready
// once it waits for input and its window is on screen, ended by closing
// that window as a user would.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

class GuiProcess {
public:
  GuiProcess() = default;
  GuiProcess(const GuiProcess &) = delete;
  GuiProcess &operator=(const GuiProcess &) = delete;
  ~GuiProcess() { Close(); }

  // Starts `exe` and waits up to `timeoutMs` for it to wait for input with a
  // visible top-level window of its own captioned `caption`. False, with a
  // reason in Error(), otherwise.
  bool Start(const std::string &exe, const char *caption, DWORD timeoutMs);

  // Posts WM_CLOSE to the window and waits for the process to end; kills it
  // as a last resort.
  void Close();

  // Waits until it waits for input again, after this thread's own messages
  // have settled: the state to read its figures in.
  void Settle() const;

  HANDLE Handle() const { return process_.hProcess; }
  HWND Window() const { return window_; }
  const std::string &Error() const { return error_; }

private:
  HWND FindShownWindow(const char *caption) const;

  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
  std::string error_;
};

} // namespace bench
