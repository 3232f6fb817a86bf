// A remembered keeping: every window of one application and one window
// class is kept on top, or off it, for as long as the rule exists.
#pragma once

#include <array>
#include <cstddef>

enum class Direction : unsigned char { OffTop, OnTop };

struct Rule {
  // Room for a long path, and for any class name: at most 256 characters,
  // of up to 3 bytes each in UTF-8.
  static constexpr std::size_t kMaxPath = 1023;
  static constexpr std::size_t kMaxClass = 767;

  // The application: the full path of its executable, in the ANSI code page,
  // compared without regard to case.
  std::array<char, kMaxPath + 1> path;
  // The window class, in the ANSI code page, compared exactly.
  std::array<char, kMaxClass + 1> windowClass;
  Direction direction;
};
