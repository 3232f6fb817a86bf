// Commands run on the Linux side of Wine: real input through xdotool and
// screenshots of the X display. Wine starts a Unix program on CreateProcess
// but does not wait for it, so each command writes a marker file when done.
#pragma once

#include <string>

namespace e2e {

// Directory (a Unix path) for markers and screenshots.
void SetUnixWorkDir(const std::string &unix_dir);
const std::string &UnixWorkDir();

// The same file as seen from Wine (drive Z: is the Unix root).
std::string WindowsPath(const std::string &unix_path);

// Runs `command` with /bin/sh and returns whether it exited with 0.
// The command must not contain double quotes.
bool RunUnix(const std::string &command);

// Real input: runs xdotool with `args` on the display Wine draws on.
bool Xdo(const std::string &args);

// Saves the whole screen as <work dir>/shots/<name>.png.
bool Screenshot(const std::string &name);

} // namespace e2e
