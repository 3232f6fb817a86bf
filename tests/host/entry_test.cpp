// HwndFromEntry over the texts that matter, and WholeCharacters over every
// cut of a character; composing and reading back any handle under any title
// is the fuzzer's (tests/fuzz).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "modHideWin.h"

using modHideWin::HwndFromEntry;

TEST(HwndFromEntry, ReadsTheSignedDecimalAfterTheLastSpace) {
  const struct {
    std::string_view text;
    std::int32_t handle;
  } cases[] = {
      {"Untitled - Editor 1234", 1234},
      {"A 1 2 3 456", 456},
      {" 77", 77},
      {"Title -5", -5},
      {"", 0},
      {"NoSpaceHere", 0},
      {"1234", 0},
      {"ends in space 7 ", 0},
      {"Title +5", 0},
      {"Title 12abc", 0},
      {"Title 99999999999", 0},
      {"Title -", 0},
  };
  for (const auto &c : cases) {
    // An exact-size copy without a NUL, so reading past the text trips ASan.
    const std::vector<char> copy(c.text.begin(), c.text.end());
    EXPECT_EQ(HwndFromEntry({copy.data(), copy.size()}), c.handle) << c.text;
  }
}

// In UTF-8; the single-byte code pages are the fake windows' (1252).
TEST(WholeCharacters, DropsOnlyACharacterThatTheCutLeftUnfinished) {
  // After "é", each character of 1 to 4 bytes and each cut of it.
  for (const std::string character :
       {"a", "\xC3\xA9", "\xE6\xBC\xA2", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD"})
    for (std::size_t bytes = 0; bytes <= character.size(); ++bytes) {
      const std::string title = "\xC3\xA9" + character.substr(0, bytes);
      const std::vector<char> copy(title.begin(), title.end());
      EXPECT_EQ(modHideWin::WholeCharacters({copy.data(), copy.size()}, true),
                bytes < character.size() ? 2 : title.size())
          << title;
    }
}
