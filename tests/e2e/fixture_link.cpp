#include "fixture_link.h"

#include "fixture_roles.h"
#include "fixture_signals.h"
#include "wait.h"

#include <cstdio>

namespace e2e {

const std::string &FixtureProcess::Tag() {
  if (tag_.empty()) {
    static int serial = 0;
    tag_ =
        std::to_string(GetCurrentProcessId()) + "." + std::to_string(++serial);
  }
  return tag_;
}

bool FixtureProcess::Launch(const std::string &exe, const std::string &mode,
                            const std::string &file, const std::string &extra) {
  file_ = file;
  mode_ = mode;
  DeleteFileA(file.c_str());
  // Created here first so the fixture cannot signal before we listen.
  ready_ = OpenSignal(Signal::Ready, Tag());
  exit_ = OpenSignal(Signal::Exit, Tag());
  std::string line =
      "\"" + exe + "\" " + mode + " \"" + file + "\" " + Tag() + " " + extra;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &process_)) {
    std::printf("cannot start the fixture: %s (error %lu)\n", line.c_str(),
                GetLastError());
    return false;
  }
  return true;
}

bool FixtureProcess::AwaitReady() {
  if (process_.hProcess == nullptr)
    return false;
  HANDLE waits[] = {ready_, process_.hProcess};
  const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, StartMs());
  if (woke != WAIT_OBJECT_0) {
    std::printf("the fixture (%s) did not get ready (wait result %lu)\n",
                mode_.c_str(), woke);
    return false;
  }
  return true;
}

Listing FixtureProcess::Read() const {
  Listing listing;
  FILE *f = std::fopen(file_.c_str(), "r");
  if (f == nullptr)
    return listing;
  char key[64];
  long long handle = 0;
  while (std::fscanf(f, "%63s %lld", key, &handle) == 2)
    listing.emplace_back(key,
                         reinterpret_cast<HWND>(static_cast<INT_PTR>(handle)));
  std::fclose(f);
  return listing;
}

bool FixtureProcess::Stop() {
  bool clean = false;
  if (process_.hProcess != nullptr) {
    SetEvent(exit_);
    if (WaitForSingleObject(process_.hProcess, kSettleMs) == WAIT_OBJECT_0) {
      DWORD code = 1;
      clean = GetExitCodeProcess(process_.hProcess, &code) && code == 0;
    } else {
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }
  for (HANDLE *signal : {&ready_, &exit_})
    if (*signal != nullptr) {
      CloseHandle(*signal);
      *signal = nullptr;
    }
  return clean;
}

bool Fixture::Start(const std::string &exe, const std::string &handles_file) {
  resume_ = OpenSignal(Signal::Resume, process_.Tag());
  freeze_ = OpenSignal(Signal::Freeze, process_.Tag());
  frozen_ = OpenSignal(Signal::Frozen, process_.Tag());
  if (!process_.Start(exe, "roles", handles_file))
    return false;
  for (const auto &[role, hwnd] : process_.Read())
    windows_[role] = hwnd;
  return windows_.size() == std::size(kRoles);
}

HWND Fixture::Window(const std::string &role) const {
  auto it = windows_.find(role);
  return it == windows_.end() ? nullptr : it->second;
}

void Fixture::Resume() {
  // The hung thread said it was frozen when it last stopped; forget that, so
  // that Freeze waits for the next time.
  ResetEvent(frozen_);
  SetEvent(resume_);
}

bool Fixture::Freeze() {
  SetEvent(freeze_);
  return WaitForSingleObject(frozen_, kSettleMs) == WAIT_OBJECT_0;
}

} // namespace e2e
