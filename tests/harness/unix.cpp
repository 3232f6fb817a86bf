#include "unix.h"

#include "program.h"

#include <windows.h>

#include <cstdio>

namespace harness {
namespace {

std::string workDir = "/tmp";

std::string WindowsPath(const std::string &unix_path) {
  std::string path = "Z:" + unix_path;
  for (char &c : path)
    if (c == '/')
      c = '\\';
  return path;
}

} // namespace

void SetWorkDir(const std::string &unix_dir) { workDir = unix_dir; }

bool RunUnix(const std::string &command) {
  // Wine gives no exit code for a Unix process: the command leaves it in a
  // marker file, written under another name first so it is never half read.
  static int serial = 0;
  const std::string marker = workDir + "/unix-done." + std::to_string(++serial);
  const std::string markerWin = WindowsPath(marker);
  DeleteFileA(markerWin.c_str());
  std::string line = "/bin/sh -c \"" + command + "; echo $? >" + marker +
                     ".tmp; mv " + marker + ".tmp " + marker + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  char status[16] = {};
  WaitUntil([&] {
    FILE *file = std::fopen(markerWin.c_str(), "r");
    if (file == nullptr)
      return false;
    const bool read = std::fgets(status, sizeof status, file) != nullptr;
    std::fclose(file);
    return read;
  });
  DeleteFileA(markerWin.c_str());
  return std::string(status) == "0\n";
}

bool Xdo(const std::string &args) {
  return RunUnix("/usr/bin/xdotool " + args);
}

bool Screenshot(const std::string &name) {
  return RunUnix("/usr/bin/import -display $DISPLAY -window root " + workDir +
                 "/" + name + ".png");
}

} // namespace harness
