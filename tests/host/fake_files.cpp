// The file operations for the host build, over fake_files' disk. A handle
// is the path of the file it opened.
#include "fake_files.h"

#include <set>

using namespace platform;

namespace fake_files {

std::map<std::string, std::string> files;
int unlockedChanges;

namespace {

std::set<std::string> folders;
std::map<HANDLE, std::size_t> readAt; // handles open for reading
Step failing;
DWORD failure, lastError;
bool locked;

// False, with the error, when `step` is the one to fail.
bool Passes(Step step) {
  lastError = failure;
  return step != failing;
}

BOOL Fails(DWORD error) {
  lastError = error;
  return FALSE;
}

std::string &Of(HANDLE file) { return *static_cast<std::string *>(file); }

} // namespace

void Reset(const std::string &folder) {
  files.clear();
  folders = {folder};
  unlockedChanges = 0;
  Fail(Step::None, 0);
}

void Fail(Step step, DWORD error) {
  failing = step;
  failure = error;
}

} // namespace fake_files

namespace platform {

using namespace fake_files;

HANDLE CreateFileA(const char *name, DWORD access, DWORD, DWORD disposition,
                   DWORD) {
  const std::string path = name;
  const bool writing = access == GENERIC_WRITE;
  if (!Passes(writing ? Step::Create : Step::Read))
    return INVALID_HANDLE_VALUE;
  if (!folders.count(path.substr(0, path.rfind('\\'))) ||
      (!writing && !files.count(path)))
    return Fails(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
  unlockedChanges += writing && !locked;
  if (disposition == CREATE_ALWAYS)
    files[path].clear();
  const HANDLE file = &files.find(path)->second;
  readAt[file] = 0;
  return file;
}

BOOL ReadFile(HANDLE file, void *buffer, DWORD size, DWORD *read) {
  if (!Passes(Step::Read))
    return FALSE;
  *read = DWORD(Of(file).copy(static_cast<char *>(buffer), size, readAt[file]));
  readAt[file] += *read;
  return TRUE;
}

BOOL WriteFile(HANDLE file, const void *data, DWORD size, DWORD *written) {
  *written = 0;
  if (!Passes(Step::Write))
    return FALSE;
  Of(file).append(static_cast<const char *>(data), *written = size);
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE) { return Passes(Step::Flush); }

BOOL CloseHandle(HANDLE) { return TRUE; }

BOOL MoveFileExA(const char *from, const char *to, DWORD flags) {
  const bool replace = flags & MOVEFILE_REPLACE_EXISTING;
  if (!Passes(replace ? Step::Replace : Step::MoveAside))
    return FALSE;
  if (!replace && files.count(to))
    return Fails(ERROR_ALREADY_EXISTS);
  unlockedChanges += !locked;
  files[to] = files.at(from);
  files.erase(from);
  return TRUE;
}

BOOL DeleteFileA(const char *name) { return files.erase(name) != 0; }

BOOL CreateDirectoryA(const char *name) {
  if (folders.count(name))
    return Fails(ERROR_ALREADY_EXISTS);
  return Passes(Step::MakeFolder) && folders.insert(name).second;
}

DWORD GetLastError() { return lastError; }

HANDLE CreateMutexA(const char *) { return &locked; }

DWORD WaitForSingleObject(HANDLE, DWORD) {
  locked = Passes(Step::Lock);
  return locked ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL ReleaseMutex(HANDLE) { return !(locked = false); }

} // namespace platform
