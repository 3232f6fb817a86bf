// An in-memory disk for the rules store's host tests, that fails any step
// asked of it.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>

#include "window_ops.h"

namespace fake_files {

enum class Step {
  None,
  MakeFolder, // CreateDirectoryA
  Read,       // CreateFileA for reading, and ReadFile
  Create,     // CreateFileA for writing
  Write,      // WriteFile
  Flush,      // FlushFileBuffers
  Close,      // CloseHandle of a file written
  Replace,    // MoveFileExA with MOVEFILE_REPLACE_EXISTING
  MoveAside,  // MoveFileExA without
  Lock,       // WaitForSingleObject: the other copy holds the lock
};

extern std::map<std::string, std::string> files; // contents by full path
extern std::set<std::string> folders;
// Bytes that still fit on the disk.
extern std::size_t room;
// Writes and renames made while the lock was not held.
extern int unlockedChanges;

// An empty disk with `folder` on it, that fails nothing.
void Reset(const std::string &folder);
// Every call of `step` fails with `error` from now on.
void Fail(Step step, platform::DWORD error);

} // namespace fake_files
