// Feeds arbitrary text to HwndFromEntry, and checks that an entry composed
// from the input's title and handle reads back that handle.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "modHideWin.h"

namespace {

bool IsDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '-')
    text.remove_prefix(1);
  if (text.empty())
    return false;
  for (const char c : text)
    if (c < '0' || c > '9')
      return false;
  return true;
}

void Check(bool condition) {
  if (!condition)
    __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);

  // A handle only ever comes from a number that ends the text after a space.
  if (modHideWin::HwndFromEntry(text) != 0) {
    const std::size_t lastSpace = text.rfind(' ');
    Check(lastSpace != std::string_view::npos &&
          IsDecimal(text.substr(lastSpace + 1)));
  }

  // The first four bytes as a handle, the rest as the title.
  if (size < sizeof(std::int32_t))
    return 0;
  std::int32_t handle;
  std::memcpy(&handle, data, sizeof handle);
  const std::string_view title = text.substr(sizeof handle);
  char entry[modHideWin::kMaxEntry + 1];
  const std::size_t length = modHideWin::ComposeEntry(entry, title, handle);
  const std::size_t kept = title.size() < modHideWin::kMaxTitle
                               ? title.size()
                               : modHideWin::kMaxTitle;
  Check(length <= modHideWin::kMaxEntry && entry[length] == '\0');
  Check(std::string_view(entry, kept) == title.substr(0, kept));
  Check(modHideWin::HwndFromEntry(std::string_view(entry, length)) == handle);
  return 0;
}
