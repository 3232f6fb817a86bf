#include "modHideWin.h"

#include <charconv>
#include <cstring>

namespace modHideWin {

std::size_t ComposeEntry(char *out, std::string_view title,
                         std::int32_t handle) {
  const std::size_t titleLength =
      title.size() < kMaxTitle ? title.size() : kMaxTitle;
  // memmove: the title may already sit at `out` (the callback composes in
  // place).
  std::memmove(out, title.data(), titleLength);
  out[titleLength] = ' ';
  char *const digits = out + titleLength + 1;
  // Room for 11 characters always remains, so to_chars cannot fail.
  char *const end = std::to_chars(digits, out + kMaxEntry, handle).ptr;
  *end = '\0';
  return static_cast<std::size_t>(end - out);
}

std::size_t WholeCharacters(std::string_view title, bool utf8) {
  if (!utf8)
    return title.size();
  // The last character starts at most three bytes back: continuation bytes
  // (10xxxxxx) never start one.
  for (std::size_t back = 1; back <= 3 && back <= title.size(); ++back) {
    const unsigned char byte =
        static_cast<unsigned char>(title[title.size() - back]);
    if ((byte & 0xC0) == 0x80)
      continue;
    // 110xxxxx, 1110xxxx and 11110xxx start characters of 2, 3 and 4 bytes.
    const std::size_t announced = byte >= 0xF0   ? 4
                                  : byte >= 0xE0 ? 3
                                  : byte >= 0xC0 ? 2
                                                 : 1;
    return announced > back ? title.size() - back : title.size();
  }
  return title.size();
}

std::int32_t HwndFromEntry(std::string_view text) {
  const std::size_t lastSpace = text.rfind(' ');
  if (lastSpace == std::string_view::npos)
    return 0;
  // Built from the pointer, not substr(): substr may throw, and that alone
  // links the C++ runtime's exception machinery into the program.
  const std::string_view digits(text.data() + lastSpace + 1,
                                text.size() - lastSpace - 1);
  // from_chars takes an optional '-' and decimal digits only: no '+', no
  // blanks, no radix prefix. Anything left over, or overflow, means "no
  // handle".
  std::int32_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size())
    return 0;
  return value;
}

} // namespace modHideWin
