#include "fixture_link.h"

#include "fixture_roles.h"
#include "wait.h"

#include <cstdio>

namespace e2e {

bool Fixture::Start(const std::string &exe, const std::string &handles_file) {
  const std::string tag = std::to_string(GetCurrentProcessId());
  // Created here first so the fixture cannot signal before we listen.
  HANDLE ready =
      CreateEventA(nullptr, TRUE, FALSE, ReadyEventName(tag).c_str());
  resume_ = CreateEventA(nullptr, TRUE, FALSE, ResumeEventName(tag).c_str());
  exit_ = CreateEventA(nullptr, TRUE, FALSE, ExitEventName(tag).c_str());
  std::string line = "\"" + exe + "\" \"" + handles_file + "\" " + tag;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &process_)) {
    std::printf("cannot start the fixture: %s (error %lu)\n", line.c_str(),
                GetLastError());
    return false;
  }
  HANDLE waits[] = {ready, process_.hProcess};
  const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, kSettleMs);
  CloseHandle(ready);
  if (woke != WAIT_OBJECT_0) {
    std::printf("the fixture did not get ready (wait result %lu)\n", woke);
    return false;
  }
  FILE *f = std::fopen(handles_file.c_str(), "r");
  if (f == nullptr)
    return false;
  char role[64];
  long long handle = 0;
  while (std::fscanf(f, "%63s %lld", role, &handle) == 2)
    windows_[role] = reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
  std::fclose(f);
  return windows_.size() == std::size(kRoles);
}

HWND Fixture::Window(const std::string &role) const {
  auto it = windows_.find(role);
  return it == windows_.end() ? nullptr : it->second;
}

void Fixture::Resume() { SetEvent(resume_); }

void Fixture::Stop() {
  if (process_.hProcess == nullptr)
    return;
  SetEvent(resume_);
  SetEvent(exit_);
  if (WaitForSingleObject(process_.hProcess, kSettleMs) != WAIT_OBJECT_0)
    TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
}

} // namespace e2e
