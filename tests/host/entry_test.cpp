// HwndFromEntry over the texts that matter; composing and reading back any
// handle under any title is the fuzzer's (tests/fuzz).
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
