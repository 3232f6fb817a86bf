// The provider's file and text operations: kernel32's calls of the same
// names, but GetAppDataFolder, which asks the environment and then the shell,
// and EqualIgnoringCaseA, which compares as the file system does.
// Our header first, as in user32_window_ops.cpp.
#include "window_ops.h"

#include <windows.h>

#include <shlobj.h>

#include "system_library.h"

namespace {

// CompareStringOrdinal (Vista and later) and SHGetFolderPathA (shell32,
// which the program does not import), found on first use.
using CompareOrdinalProc = int(WINAPI *)(LPCWCH, int, LPCWCH, int, BOOL);
using FolderPathProc = HRESULT(WINAPI *)(HWND, int, HANDLE, ::DWORD, LPSTR);

CompareOrdinalProc compareOrdinal = nullptr;
bool compareLookedUp = false; // the user-interface thread alone asks

bool IsAscii(const char *text, int length) {
  for (int i = 0; i < length; ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80)
      return false;
  return true;
}

bool CompareBytes(const char *a, const char *b, int length) {
  for (int i = 0; i < length; ++i)
    if (a[i] != b[i])
      return false;
  return true;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

} // namespace

namespace platform {

HANDLE CreateFileA(const char *name, DWORD access, DWORD share,
                   DWORD disposition, DWORD attributes) {
  return ::CreateFileA(name, access, share, nullptr, disposition, attributes,
                       nullptr);
}

BOOL ReadFile(HANDLE file, void *buffer, DWORD size, DWORD *read) {
  ::DWORD done = 0;
  const BOOL ok = ::ReadFile(file, buffer, size, &done, nullptr);
  *read = done;
  return ok;
}

BOOL WriteFile(HANDLE file, const void *data, DWORD size, DWORD *written) {
  ::DWORD done = 0;
  const BOOL ok = ::WriteFile(file, data, size, &done, nullptr);
  *written = done;
  return ok;
}

BOOL FlushFileBuffers(HANDLE file) { return ::FlushFileBuffers(file); }

BOOL CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }

BOOL MoveFileExA(const char *from, const char *to, DWORD flags) {
  return ::MoveFileExA(from, to, flags);
}

BOOL DeleteFileA(const char *name) { return ::DeleteFileA(name); }

BOOL CreateDirectoryA(const char *name) {
  return ::CreateDirectoryA(name, nullptr);
}

DWORD GetLastError() { return ::GetLastError(); }

HANDLE CreateMutexA(const char *name) {
  return ::CreateMutexA(nullptr, FALSE, name);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return ::WaitForSingleObject(handle, milliseconds);
}

BOOL ReleaseMutex(HANDLE mutex) { return ::ReleaseMutex(mutex); }

DWORD GetAppDataFolder(char *buffer, DWORD size) {
  DWORD length = ::GetEnvironmentVariableA("APPDATA", buffer, size);
  if (length >= size)
    return 0;
  if (length == 0) {
    char folder[MAX_PATH];
    const auto folderPath =
        SystemFunctionAs<FolderPathProc>("shell32.dll", "SHGetFolderPathA");
    if (folderPath == nullptr ||
        FAILED(folderPath(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                          folder)))
      return 0;
    length = static_cast<DWORD>(lstrlenA(folder));
    if (length == 0 || length >= size)
      return 0;
    CopyMemory(buffer, folder, length + 1);
  }
  while (length > 1 && buffer[length - 1] == '\\')
    buffer[--length] = '\0';
  return length;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, const char *text,
                        int length, WCHAR *wide, int wideLength) {
  return ::MultiByteToWideChar(codePage, flags, text, length, wide, wideLength);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR *wide,
                        int wideLength, char *text, int length,
                        BOOL *usedDefaultChar) {
  return ::WideCharToMultiByte(codePage, flags, wide, wideLength, text, length,
                               nullptr, usedDefaultChar);
}

BOOL EqualIgnoringCaseA(const char *a, int aLength, const char *b,
                        int bLength) {
  if (aLength == bLength && CompareBytes(a, b, aLength))
    return TRUE;
  // Most paths are plain ASCII, where case is A to Z alone.
  if (IsAscii(a, aLength) && IsAscii(b, bLength)) {
    if (aLength != bLength)
      return FALSE;
    for (int i = 0; i < aLength; ++i)
      if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
        return FALSE;
    return TRUE;
  }
  // Room for any rule's path; a longer text cannot match one.
  WCHAR wideA[1024], wideB[1024];
  const int lengthA =
      ::MultiByteToWideChar(CP_ACP, 0, a, aLength, wideA, ARRAYSIZE(wideA));
  const int lengthB =
      ::MultiByteToWideChar(CP_ACP, 0, b, bLength, wideB, ARRAYSIZE(wideB));
  if ((lengthA == 0 && aLength != 0) || (lengthB == 0 && bLength != 0))
    return FALSE;
  if (!compareLookedUp) {
    compareOrdinal = SystemFunctionAs<CompareOrdinalProc>(
        "kernel32.dll", "CompareStringOrdinal");
    compareLookedUp = true;
  }
  if (compareOrdinal != nullptr)
    return compareOrdinal(wideA, lengthA, wideB, lengthB, TRUE) == CSTR_EQUAL;
  // Windows XP: the upper case of each character, as its file systems do.
  if (lengthA != lengthB)
    return FALSE;
  CharUpperBuffW(wideA, static_cast<::DWORD>(lengthA));
  CharUpperBuffW(wideB, static_cast<::DWORD>(lengthB));
  for (int i = 0; i < lengthA; ++i)
    if (wideA[i] != wideB[i])
      return FALSE;
  return TRUE;
}

} // namespace platform
