// Functions of system DLLs that the program does not import: found on first
// use, from the system folder only, never the program's or the current one.
#pragma once

#include <windows.h>

namespace platform {

// The function `name` of `dll`; nullptr when either is missing. Windows
// before 8 may not know the search flag and fail.
FARPROC SystemFunction(const char *dll, const char *name);

template <typename Function>
Function SystemFunctionAs(const char *dll, const char *name) {
  // GetProcAddress's type says nothing of the function's; going through the
  // generic function pointer type says the cast is meant.
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(SystemFunction(dll, name)));
}

} // namespace platform
