#include "application.h"

using namespace platform;

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Without regard to the case of ASCII letters: the frame host's name has no
// others.
bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i]))
      return false;
  return true;
}

} // namespace

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos
             ? path
             : std::string_view(path.data() + slash + 1,
                                path.size() - slash - 1);
}

bool IsFrameHost(std::string_view path) {
  return SameLetters(FileNameOf(path), "ApplicationFrameHost.exe");
}

bool ProcessPath(DWORD processId, ApplicationPath &path) {
  const DWORD length =
      GetProcessImagePath(processId, path.data(), Rule::kMaxPath + 1);
  path[length <= Rule::kMaxPath ? length : 0] = '\0';
  return length > 0 && length <= Rule::kMaxPath;
}

bool ApplicationOf(HWND window, ApplicationPath &path, bool *later) {
  if (later != nullptr)
    *later = false;
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) == 0 ||
      !ProcessPath(process, path))
    return false;
  if (!IsFrameHost(path.data()))
    return true;
  // The content is a child of another process's, the app's.
  const HWND content =
      FindWindowExA(window, nullptr, kStoreContentClass, nullptr);
  if (content != nullptr && GetWindowThreadProcessId(content, &process) != 0 &&
      ProcessPath(process, path) && !IsFrameHost(path.data()))
    return true;
  if (later != nullptr)
    *later = content == nullptr;
  path[0] = '\0';
  return false;
}
