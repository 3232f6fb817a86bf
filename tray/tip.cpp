#include "tip.h"

#include <charconv>
#include <cstring>

namespace {

// Copies `text` to `out`; the end of the copy, where its NUL is.
char *Append(char *out, const char *text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length + 1);
  return out + length;
}

// Appends `count` and `noun`, plural unless it is one, and `after`.
char *AppendCount(char *out, std::size_t count, const char *noun,
                  const char *after) {
  out = std::to_chars(out, out + 20, count).ptr;
  *out++ = ' ';
  out = Append(out, noun);
  if (count != 1)
    *out++ = 's';
  return Append(out, after);
}

} // namespace

void ComposeTip(char (&tip)[kMaxTip], std::size_t windowsKept,
                std::size_t rules) {
  // At most 15 + 2 * 20 + 21 bytes: it always fits.
  char *out = Append(tip, "Topmost Tamer: ");
  out = AppendCount(out, windowsKept, "window", " kept, ");
  AppendCount(out, rules, "rule", "");
}
