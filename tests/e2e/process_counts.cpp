#include "process_counts.h"

#include "desktop.h"

#include <winternl.h>

#include <vector>

namespace e2e {
namespace {

constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// A second view of the handle count, from the table of every process's
// handles, for systems whose GetProcessHandleCount reports nothing.
long long TableHandles(DWORD pid) {
  std::vector<unsigned char> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = NtQuerySystemInformation(
        static_cast<SYSTEM_INFORMATION_CLASS>(SystemHandleInformation),
        buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch && buffer.size() < (64u << 20)) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status < 0)
      return 0;
    break;
  }
  const auto *table =
      reinterpret_cast<const SYSTEM_HANDLE_INFORMATION *>(buffer.data());
  long long count = 0;
  for (ULONG i = 0; i < table->Count; ++i)
    count += table->Handle[i].OwnerPid == pid;
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM param) {
  ++*reinterpret_cast<long long *>(param);
  return TRUE;
}

long long WindowCount(DWORD pid) {
  long long count = 0;
  for (HWND w : WindowsOf(pid)) {
    ++count;
    EnumChildWindows(w, CountChild, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

} // namespace

Counts ReadCounts(HANDLE process, DWORD pid) {
  DWORD handles = 0;
  if (!GetProcessHandleCount(process, &handles))
    handles = 0;
  return {GetGuiResources(process, GR_GDIOBJECTS),
          GetGuiResources(process, GR_USEROBJECTS), handles, TableHandles(pid),
          WindowCount(pid)};
}

} // namespace e2e
