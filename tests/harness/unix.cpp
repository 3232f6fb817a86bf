#include "unix.h"

#include "program.h"

#include <windows.h>

namespace harness {
namespace {

std::string workDir = "/tmp";

} // namespace

void SetWorkDir(const std::string &unix_dir) { workDir = unix_dir; }
const std::string &WorkDir() { return workDir; }

bool RunUnix(const std::string &command) {
  // Wine gives no exit code for a Unix process: on success the command
  // leaves a marker file, which Wine reaches through its Z: drive.
  static int serial = 0;
  const std::string marker = workDir + "/unix-done." + std::to_string(++serial);
  const std::string markerWin = "Z:" + marker;
  std::string line = "/bin/sh -c \"" + command + " && touch " + marker + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  // A Unix program gets no process or thread handle, and Wine leaves what
  // its stack held in `pi`: closing those values would close handles of
  // ours (the thread's desktop, say, for one length of the command line).
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi))
    return false;
  const bool done = WaitUntil([&] {
    return GetFileAttributesA(markerWin.c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  DeleteFileA(markerWin.c_str());
  return done;
}

bool Xdo(const std::string &args) {
  return RunUnix("/usr/bin/xdotool " + args);
}

bool Screenshot(const std::string &name) {
  return RunUnix("/usr/bin/import -display $DISPLAY -window root " + workDir +
                 "/" + name + ".png");
}

} // namespace harness
