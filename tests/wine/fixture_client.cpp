#include "fixture_client.h"

#include "pump.h"

#include <cstdio>
#include <cstdlib>

namespace fixture {

namespace {

// How long a fixture gets to end once asked before it is killed.
constexpr DWORD kStopTimeoutMs = 10 * 1000;

std::string UniqueName() {
  static int serial = 0;
  return "TopmostTamerFixture-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++serial);
}

std::string TempFilePath(const std::string &name) {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > MAX_PATH)
    return name + ".txt";
  return std::string(folder) + name + ".txt";
}

} // namespace

bool Process::Start(const std::string &exe, const std::string &arguments,
                    DWORD readyTimeoutMs) {
  const std::string name = UniqueName();
  outFile_ = TempFilePath(name);
  ready_ = CreateEventA(nullptr, TRUE, FALSE, (name + "-ready").c_str());
  quit_ = CreateEventA(nullptr, TRUE, FALSE, (name + "-quit").c_str());
  if (ready_ == nullptr || quit_ == nullptr) {
    error_ = "cannot create the fixture's events";
    return false;
  }
  std::string commandLine = "\"" + exe + "\" " + arguments + " --out \"" +
                            outFile_ + "\" --events " + name;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process_)) {
    error_ = "cannot start " + exe + " (error " +
             std::to_string(GetLastError()) + ")";
    return false;
  }
  const HANDLE waits[] = {ready_, process_.hProcess};
  const int signalled = wine_pump::WaitForAny(waits, 2, readyTimeoutMs);
  if (signalled != 0) {
    error_ = signalled == 1 ? "fixture exited before it was ready"
                            : "fixture not ready within " +
                                  std::to_string(readyTimeoutMs) + " ms";
    return false;
  }
  if (!ReadHandles()) {
    error_ = "cannot read the fixture's handles from " + outFile_;
    return false;
  }
  // Its windows' creation messages may still reach this thread's windows.
  wine_pump::UntilIdle();
  return true;
}

bool Process::ReadHandles() {
  FILE *in = std::fopen(outFile_.c_str(), "r");
  if (in == nullptr)
    return false;
  char kind[64];
  long handle = 0;
  while (std::fscanf(in, "%63s %ld", kind, &handle) == 2)
    windows_.push_back(
        {kind, reinterpret_cast<HWND>(static_cast<INT_PTR>(handle))});
  std::fclose(in);
  return !windows_.empty();
}

void Process::Stop() {
  if (process_.hProcess != nullptr) {
    SetEvent(quit_);
    if (!wine_pump::WaitFor(process_.hProcess, kStopTimeoutMs))
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }
  for (HANDLE *event : {&ready_, &quit_}) {
    if (*event != nullptr)
      CloseHandle(*event);
    *event = nullptr;
  }
  if (!outFile_.empty())
    DeleteFileA(outFile_.c_str());
  outFile_.clear();
}

HWND Process::Find(const std::string &kind) const {
  for (const CreatedWindow &window : windows_)
    if (window.kind == kind)
      return window.hwnd;
  return nullptr;
}

std::string SiblingPath(const char *fileName) {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  const std::size_t slash = folder.find_last_of("\\/");
  folder.resize(slash == std::string::npos ? 0 : slash + 1);
  return folder + fileName;
}

std::string OptionValue(int argc, char **argv, const char *name,
                        const std::string &fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == name)
      return argv[i + 1];
  return fallback;
}

} // namespace fixture
