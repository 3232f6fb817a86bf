// WholeCharacters over every cut of a character. HwndFromEntry is the
// fuzzer's (tests/fuzz): its seeds are the texts that matter, and it reads
// back any handle composed under any title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modHideWin.h"

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
