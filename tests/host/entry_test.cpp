#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "modHideWin.h"

using modHideWin::ComposeEntry;
using modHideWin::HwndFromEntry;

namespace {

// Composes into a buffer of exactly the documented size, so the sanitizer
// catches any write past it.
std::string Compose(std::string_view title, std::int32_t handle) {
  std::vector<char> out(modHideWin::kMaxEntry + 1, '#');
  const std::size_t length = ComposeEntry(out.data(), title, handle);
  EXPECT_EQ(out[length], '\0');
  return std::string(out.data(), length);
}

} // namespace

TEST(HwndFromEntry, ReadsTheSignedDecimalAfterTheLastSpace) {
  const struct {
    std::string text;
    std::int32_t handle;
  } cases[] = {
      {"Untitled - Editor 1234", 1234},
      {"A 1 2 3 456", 456},
      {" 77", 77},
      {"Title -5", -5},
      {"T -2147483648", INT32_MIN},
      {"T 2147483647", INT32_MAX},
      {"", 0},
      {"NoSpaceHere", 0},
      // Whatever follows the last space must be the whole number.
      {"Title ", 0},
      {"Title 7 ", 0},
      {"Title x", 0},
      {"Title +5", 0},
      {"Title 12abc", 0},
      {"Title 0x10", 0},
      {"Title -", 0},
      {"Title 99999999999", 0},
      {"Title 2147483648", 0},
      {"Title -2147483649", 0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(HwndFromEntry(c.text), c.handle) << '"' << c.text << '"';
}

TEST(HwndFromEntry, HandlesTextsBeyond32767Characters) {
  // Around the limits of a 16-bit length, where a short counter would wrap.
  for (const std::size_t length : {32767u, 32768u, 65536u + 6u, 100000u}) {
    const std::string filler(length - 6, 'x');
    EXPECT_EQ(HwndFromEntry(filler + " 12345"), 12345) << length;
    EXPECT_EQ(HwndFromEntry(std::string(length, 'x')), 0) << length;
    EXPECT_EQ(HwndFromEntry(" 9" + filler), 0) << length;
  }
}

TEST(ComposeEntry, WritesTitleSpaceAndHandleCutAt255) {
  const std::string longTitle(300, 'T');
  const struct {
    std::string title;
    std::int32_t handle;
    std::string entry;
  } cases[] = {
      {"Untitled - Editor", 1234, "Untitled - Editor 1234"},
      {"", 0, " 0"},
      {"T", INT32_MIN, "T -2147483648"},
      {longTitle, 7, longTitle.substr(0, 255) + " 7"},
      {longTitle, INT32_MIN, longTitle.substr(0, 255) + " -2147483648"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Compose(c.title, c.handle), c.entry) << c.handle;
}

TEST(EntryRoundTrip, AnyHandleUnderAnyTitleComesBack) {
  std::mt19937 random(12345); // fixed seed: the same cases on every run
  const std::int32_t edges[] = {0, -1, 1, INT32_MIN, INT32_MAX, -5};
  for (int i = 0; i < 5000; ++i) {
    const std::int32_t handle =
        i < 6 ? edges[i] : static_cast<std::int32_t>(random());
    // Titles lean towards the characters that look like part of a handle.
    std::string title(random() % 256, ' ');
    for (char &c : title) {
      const unsigned pick = random() % 8;
      c = pick < 2   ? ' '
          : pick < 4 ? static_cast<char>('0' + random() % 10)
          : pick < 5 ? '-'
                     : static_cast<char>(1 + random() % 255);
    }
    // Composed in place, the way the enumeration callback does it.
    std::vector<char> buffer(modHideWin::kMaxEntry + 1);
    title.copy(buffer.data(), title.size());
    const std::size_t length = ComposeEntry(
        buffer.data(), std::string_view(buffer.data(), title.size()), handle);
    const std::string_view entry(buffer.data(), length);
    ASSERT_EQ(entry.substr(0, title.size()), title) << i;
    ASSERT_EQ(HwndFromEntry(entry), handle) << i << ": " << entry;
  }
}
