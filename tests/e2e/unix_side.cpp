#include "unix_side.h"

#include "wait.h"

#include <windows.h>

#include <cstdio>

namespace e2e {
namespace {

std::string work_dir = "/tmp";
int marker_serial = 0;

std::string ReadFirstLine(const std::string &windows_path) {
  FILE *f = std::fopen(windows_path.c_str(), "r");
  if (f == nullptr)
    return "";
  char line[64] = {};
  if (std::fgets(line, sizeof line, f) == nullptr)
    line[0] = '\0';
  std::fclose(f);
  return line;
}

} // namespace

void SetUnixWorkDir(const std::string &unix_dir) { work_dir = unix_dir; }
const std::string &UnixWorkDir() { return work_dir; }

std::string WindowsPath(const std::string &unix_path) {
  std::string path = "Z:" + unix_path;
  for (char &c : path)
    if (c == '/')
      c = '\\';
  return path;
}

bool RunUnix(const std::string &command) {
  const std::string marker =
      work_dir + "/unix-done." + std::to_string(++marker_serial);
  const std::string marker_win = WindowsPath(marker);
  DeleteFileA(marker_win.c_str());
  // The status goes to a temporary name first so a half-written marker is
  // never read.
  std::string line = "/bin/sh -c \"" + command + "; echo $? > " + marker +
                     ".tmp; mv " + marker + ".tmp " + marker + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi)) {
    std::printf("cannot start: %s (error %lu)\n", line.c_str(), GetLastError());
    return false;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::string status;
  WaitUntil([&] {
    status = ReadFirstLine(marker_win);
    return !status.empty();
  });
  DeleteFileA(marker_win.c_str());
  if (status != "0\n") {
    std::printf("unix command failed (status \"%s\"): %s\n", status.c_str(),
                command.c_str());
    return false;
  }
  return true;
}

bool Xdo(const std::string &args) {
  return RunUnix("/usr/bin/xdotool " + args);
}

bool Screenshot(const std::string &name) {
  return RunUnix(
      "mkdir -p " + work_dir + "/shots && /usr/bin/import -display " +
      "$DISPLAY -window root " + work_dir + "/shots/" + name + ".png");
}

} // namespace e2e
