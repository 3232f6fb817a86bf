#include "program.h"

#include <cstdio>

namespace harness {
namespace {

std::string workDir = "/tmp";

} // namespace

std::string ShellWord(const std::string &path) {
  std::string quoted = "'";
  for (const char c : path)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&msg);
    if (done())
      return true;
    if (GetTickCount64() >= deadline)
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeout_ms) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, timeout_ms,
                             &ignored) != 0;
}

HWND WindowOf(DWORD pid, const char *cls, const char *caption, bool shown) {
  HWND hwnd = nullptr;
  DWORD owner = 0;
  while ((hwnd = FindWindowExA(nullptr, hwnd, cls, caption)) != nullptr)
    if (GetWindowThreadProcessId(hwnd, &owner) != 0 && owner == pid &&
        (!shown || IsWindowVisible(hwnd)))
      return hwnd;
  return nullptr;
}

bool Program::Start(const std::string &exe, const std::string &args,
                    const char *caption, bool shown, DWORD timeout_ms,
                    const char *folder) {
  return StartCommand("\"" + exe + "\" " + args, caption, shown, timeout_ms,
                      folder);
}

bool Program::Launch(std::string line, const char *folder) {
  Stop();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                     folder, &startup, &process_))
    return true;
  std::printf("cannot start %s (error %lu)\n", line.c_str(), GetLastError());
  return false;
}

DWORD Program::RunToEnd(const std::string &line, DWORD timeout_ms) {
  const DWORD code = Launch(line) ? ExitCode(timeout_ms) : STILL_ACTIVE;
  Stop();
  return code;
}

bool Program::StartCommand(const std::string &line, const char *caption,
                           bool shown, DWORD timeout_ms, const char *folder) {
  if (!Launch(line, folder))
    return false;
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  WaitForInputIdle(process_.hProcess, timeout_ms);
  // Polled with the shortest sleep: on two cores a spinning wait would slow
  // down the start that the benchmarks time.
  for (;;) {
    window_ = WindowOf(process_.dwProcessId, nullptr, caption, shown);
    if (window_ != nullptr)
      return true;
    if (GetTickCount64() >= deadline || Ended(0))
      break;
    Sleep(1);
  }
  std::printf("%s showed no window \"%s\"\n", line.c_str(), caption);
  return false;
}

bool Program::Ended(DWORD timeout_ms) const {
  return process_.hProcess == nullptr ||
         WaitForSingleObject(process_.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode(DWORD timeout_ms) const {
  DWORD code = STILL_ACTIVE;
  return Ended(timeout_ms) && GetExitCodeProcess(process_.hProcess, &code)
             ? code
             : STILL_ACTIVE;
}

void Program::Stop() {
  if (process_.hProcess == nullptr)
    return;
  if (!Ended(0) &&
      (window_ == nullptr || !PostMessageA(window_, WM_CLOSE, 0, 0) ||
       !WaitUntil([this] { return Ended(0); })))
    TerminateProcess(process_.hProcess, 1);
  Ended(kSettleMs);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  window_ = nullptr;
}

std::string FileText(const std::string &path) {
  // Shared as the program shares it: it may replace the file meanwhile.
  std::string text;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 7, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  char chunk[65536];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
    text.append(chunk, read);
  CloseHandle(file);
  return text;
}

bool WriteText(const std::string &path, const std::string &text) {
  std::FILE *file = std::fopen(path.c_str(), "wb");
  const bool written =
      file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return file && std::fclose(file) == 0 && written;
}

void SetWorkDir(const std::string &unix_dir) { workDir = unix_dir; }
const std::string &WorkDir() { return workDir; }

bool RunUnix(const std::string &command, DWORD timeout_ms) {
  // Wine gives no exit code for a Unix process: on success the command
  // leaves a marker file, which Wine reaches through its Z: drive. A command
  // that timed out may still leave its marker later, so the name is this
  // process's own: a later run's command never takes it for its own.
  static int serial = 0;
  const std::string marker = workDir + "/unix-done." +
                             std::to_string(GetCurrentProcessId()) + "." +
                             std::to_string(++serial);
  const std::string markerWin = "Z:" + marker;
  std::string line =
      "/bin/sh -c \"" + command + " && touch " + ShellWord(marker) + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  // A Unix program gets no process or thread handle, and Wine leaves what
  // its stack held in `pi`: closing those values would close handles of
  // ours (the thread's desktop, say, for one length of the command line).
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi))
    return false;
  const bool done = WaitUntil(
      [&] {
        return GetFileAttributesA(markerWin.c_str()) != INVALID_FILE_ATTRIBUTES;
      },
      timeout_ms);
  DeleteFileA(markerWin.c_str());
  if (!done)
    std::printf("failed, or still running after %lu ms: %s\n", timeout_ms,
                command.c_str());
  return done;
}

bool Xdo(const std::string &args) {
  return RunUnix("/usr/bin/xdotool " + args);
}

bool Screenshot(const std::string &name) {
  return RunUnix("/usr/bin/import -display $DISPLAY -window root " +
                 ShellWord(workDir + "/" + name + ".png"));
}

} // namespace harness
