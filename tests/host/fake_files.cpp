// The file operations for the host build, over fake_files' disk.
#include "fake_files.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace platform;

namespace fake_files {

std::map<std::string, std::string> files;
std::set<std::string> folders;
std::size_t room;
int unlockedChanges;

namespace {

struct Open {
  std::string path;
  bool writing;
  std::size_t read = 0;
};
std::vector<Open> opened; // handle n is opened[n - 1]
Step failing;
DWORD failure, lastError;
bool locked;
HANDLE const kMutex = reinterpret_cast<HANDLE>(0x1000);

// False, with the error, when `step` is the one to fail.
bool Passes(Step step) {
  if (step != failing)
    return true;
  lastError = failure;
  return false;
}

BOOL Error(DWORD error) {
  lastError = error;
  return FALSE;
}

Open &Of(HANDLE file) {
  return opened.at(reinterpret_cast<std::size_t>(file) - 1);
}

std::string FolderOf(const std::string &path) {
  return path.substr(0, path.rfind('\\'));
}

void Change() { unlockedChanges += !locked; }

} // namespace

void Reset(const std::string &folder) {
  files.clear();
  folders = {folder};
  room = 1 << 20;
  unlockedChanges = 0;
  opened.clear();
  failing = Step::None;
  locked = false;
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
  const bool writing = (access & GENERIC_WRITE) != 0;
  if (!Passes(writing ? Step::Create : Step::Read))
    return INVALID_HANDLE_VALUE;
  if (!folders.count(FolderOf(name)))
    return Error(ERROR_PATH_NOT_FOUND), INVALID_HANDLE_VALUE;
  if (disposition == OPEN_EXISTING && !files.count(name))
    return Error(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
  if (disposition == CREATE_ALWAYS) {
    Change();
    files[name].clear();
  }
  opened.push_back({name, writing});
  return reinterpret_cast<HANDLE>(opened.size());
}

BOOL ReadFile(HANDLE file, void *buffer, DWORD size, DWORD *read) {
  if (!Passes(Step::Read))
    return FALSE;
  Open &open = Of(file);
  const std::string &content = files.at(open.path);
  *read = DWORD(std::min<std::size_t>(size, content.size() - open.read));
  std::memcpy(buffer, content.data() + open.read, *read);
  open.read += *read;
  return TRUE;
}

BOOL WriteFile(HANDLE file, const void *data, DWORD size, DWORD *written) {
  *written = 0;
  if (!Passes(Step::Write))
    return FALSE;
  Change();
  *written = DWORD(std::min<std::size_t>(size, room));
  files.at(Of(file).path).append(static_cast<const char *>(data), *written);
  room -= *written;
  return *written == size ? TRUE : Error(ERROR_DISK_FULL);
}

BOOL FlushFileBuffers(HANDLE) { return Passes(Step::Flush); }

BOOL CloseHandle(HANDLE handle) {
  if (handle == kMutex)
    return TRUE;
  Open &open = Of(handle);
  const bool writing = open.writing;
  open.path.clear();
  return writing ? Passes(Step::Close) : TRUE;
}

BOOL MoveFileExA(const char *from, const char *to, DWORD flags) {
  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  if (!Passes(replace ? Step::Replace : Step::MoveAside))
    return FALSE;
  if (!files.count(from))
    return Error(ERROR_FILE_NOT_FOUND);
  if (!replace && files.count(to))
    return Error(ERROR_ALREADY_EXISTS);
  Change();
  files[to] = files[from];
  files.erase(from);
  return TRUE;
}

BOOL DeleteFileA(const char *name) {
  return files.erase(name) ? TRUE : Error(ERROR_FILE_NOT_FOUND);
}

BOOL CreateDirectoryA(const char *name) {
  if (!Passes(Step::MakeFolder))
    return FALSE;
  if (folders.count(name) || files.count(name))
    return Error(ERROR_ALREADY_EXISTS);
  folders.insert(name);
  return TRUE;
}

DWORD GetLastError() { return lastError; }

HANDLE CreateMutexA(const char *) { return kMutex; }

DWORD WaitForSingleObject(HANDLE, DWORD) {
  if (!Passes(Step::Lock))
    return WAIT_TIMEOUT;
  locked = true;
  return WAIT_OBJECT_0;
}

BOOL ReleaseMutex(HANDLE) {
  locked = false;
  return TRUE;
}

} // namespace platform
