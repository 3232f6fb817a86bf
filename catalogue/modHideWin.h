// The window entry: one list line standing for one window, "title handle",
// and the recovery of the handle from such a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace modHideWin {

constexpr std::size_t kMaxTitle = 255;
// Title, one space, and the longest signed 32-bit decimal ("-2147483648").
constexpr std::size_t kMaxEntry = kMaxTitle + 1 + 11;

// Writes title + " " + handle (signed decimal) into `out`, which holds at
// least kMaxEntry + 1 characters, NUL-terminates it and returns its length.
// A title longer than kMaxTitle is cut to kMaxTitle characters.
std::size_t ComposeEntry(char *out, std::string_view title,
                         std::int32_t handle);

// The length of `title` without the character that a cut at a byte count
// may leave unfinished at its end, so the title ends in a whole character.
// In UTF-8 that is a lead byte followed by fewer continuation bytes than it
// announces. Any other code page keeps every byte: in the single-byte ones
// each is a whole character.
std::size_t WholeCharacters(std::string_view title, bool utf8);

// The handle written after the entry's last space. 0 when there is no space,
// or when what follows it is not a plain signed decimal that fits in 32 bits.
std::int32_t HwndFromEntry(std::string_view text);

} // namespace modHideWin
