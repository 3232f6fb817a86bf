// Another program under test, started as a user starts it: ready once it
// waits for input with its top-level window up; stopped by closing that
// window, and ended by force only when it will not go. The tests, the
// benchmarks and the demonstration all start their programs through here,
// and the Unix commands of the test bed too (real input through xdotool and
// screenshots of the X display), reached from a Windows program under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace harness {

// Generous: a program starts in a second or two, under CPU emulation too.
constexpr DWORD kStartMs = 180 * 1000;
// For anything the window system should do at once.
constexpr DWORD kSettleMs = 5000;

// Dispatches this thread's messages until `done` holds or `timeout_ms` runs
// out, waking for every message rather than sleeping a fixed time.
bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms = kSettleMs);

// Sends `hwnd` a message and waits at most `timeout_ms` for the answer;
// false if its thread does not answer in time (it is hung).
bool Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0,
          DWORD timeout_ms = kSettleMs);
// Whether the thread of `hwnd` answers a message, which it does only after
// everything sent to it before.
inline bool Answers(HWND hwnd) { return Send(hwnd, WM_NULL); }

// The first top-level window of process `pid` with class `cls` and caption
// `caption` (nullptr: any), and visible if `shown`; nullptr if none.
HWND WindowOf(DWORD pid, const char *cls, const char *caption,
              bool shown = false);

class Program {
public:
  Program() = default;
  Program(const Program &) = delete;
  Program &operator=(const Program &) = delete;
  ~Program() { Stop(); }

  // Starts `exe` with `args` in `folder` (nullptr: ours) and waits for its
  // top-level window captioned `caption` (and visible, if `shown`). False,
  // with the reason printed, if it does not come up within `timeout_ms`.
  bool Start(const std::string &exe, const std::string &args,
             const char *caption, bool shown, DWORD timeout_ms = kStartMs,
             const char *folder = nullptr);
  // The same for a whole command line, run as Windows runs one: the program
  // is what its start names.
  bool StartCommand(const std::string &line, const char *caption, bool shown,
                    DWORD timeout_ms = kStartMs, const char *folder = nullptr);
  // Starts the program of `line` as Windows runs a command line, and waits
  // for nothing.
  bool Launch(std::string line, const char *folder = nullptr);
  // Runs `line` and waits for its program to end: its exit code; or
  // STILL_ACTIVE, and it is ended, if it does not end within `timeout_ms`.
  DWORD RunToEnd(const std::string &line, DWORD timeout_ms = 4 * kSettleMs);
  HWND Window() const { return window_; }
  DWORD Id() const { return process_.dwProcessId; }
  HANDLE Handle() const { return process_.hProcess; }
  // True once the process has ended, waiting at most `timeout_ms`; and its
  // exit code then, else STILL_ACTIVE.
  bool Ended(DWORD timeout_ms) const;
  DWORD ExitCode(DWORD timeout_ms) const;
  // Posts WM_CLOSE to its window and waits for it to end; ends it by force
  // if it will not, or if it has no window.
  void Stop();

private:
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

// Where screenshots go and marker files live: a Unix folder.
// A file's bytes, read as a program that replaces it meanwhile allows, and
// written.
std::string FileText(const std::string &path);
bool WriteText(const std::string &path, const std::string &text);

void SetWorkDir(const std::string &unix_dir);
const std::string &WorkDir();
// `path` as one word of /bin/sh, whatever spaces or quotes it holds.
std::string ShellWord(const std::string &path);
// Runs `command` in /bin/sh and waits for it, `timeout_ms` at most; true if
// it exited 0. Says which command did not.
bool RunUnix(const std::string &command, DWORD timeout_ms = kSettleMs);
bool Xdo(const std::string &args);
// Saves the whole screen as WORKDIR/NAME.png.
bool Screenshot(const std::string &name);

} // namespace harness
