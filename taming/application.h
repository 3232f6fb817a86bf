// Which application a window belongs to, as a rule names it: the full path
// of its process's executable. A Store app's windows all belong to one host
// process, the frame host, which draws the frame around the content of
// each: such a window belongs to the app whose content it shows, so that a
// rule for one Store app catches no other.
#pragma once

#include <array>
#include <string_view>

#include "rule.h"
#include "window_ops.h"

using ApplicationPath = std::array<char, Rule::kMaxPath + 1>;

// The frame host's window class, and that of the content window that a
// Store app places inside it.
constexpr char kFrameHostClass[] = "ApplicationFrameWindow";
constexpr char kStoreContentClass[] = "Windows.UI.Core.CoreWindow";

// Whether `path` is that of the frame host, ApplicationFrameHost.exe.
bool IsFrameHost(std::string_view path);

// The path of the executable of process `processId` into `path`; false when
// it cannot be told.
bool ProcessPath(platform::DWORD processId, ApplicationPath &path);

// The application of `window` into `path`; false when it cannot be told: the
// window has closed, its process may not be asked, the system is older than
// Vista, or a frame host's window shows no app's content just now (a
// suspended app's content leaves its frame), which `later` tells.
bool ApplicationOf(platform::HWND window, ApplicationPath &path,
                   bool *later = nullptr);

// The file name in `path`, after its last backslash.
std::string_view FileNameOf(std::string_view path);
