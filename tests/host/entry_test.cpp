#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "modHideWin.h"

using modHideWin::ComposeEntry;
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

TEST(ComposeEntry, AnyHandleUnderAnyTitleReadsBack) {
  const std::int32_t handles[] = {INT32_MIN, -2147483647, -1,       0,
                                  1,         65538,       INT32_MAX};
  // Titles of every length up to and past the cut, ending in spaces, digits
  // and minus signs by turns.
  const std::string pattern = "A 1 -2 34";
  for (std::size_t length = 0; length <= 300; ++length) {
    std::string title;
    while (title.size() < length)
      title += pattern[title.size() % pattern.size()];
    for (const std::int32_t handle : handles) {
      // Exactly the room ComposeEntry asks for, and no NUL in it yet.
      std::vector<char> out(modHideWin::kMaxEntry + 1, '#');
      const std::size_t n = ComposeEntry(out.data(), title, handle);
      ASSERT_EQ(std::string(out.data(), n),
                title.substr(0, 255) + " " + std::to_string(handle));
      ASSERT_EQ(out[n], '\0');
      ASSERT_EQ(HwndFromEntry({out.data(), n}), handle) << out.data();
    }
  }
}
