// What the screen shows, and text drawn here to hold it against, for the
// checks of what a user sees.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// Pixels as COLORREFs, row by row from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * width + x];
  }
  // Alike: of one size, each pixel within a few levels of the other's. Text
  // that FreeType smooths at large sizes differs by that much between its
  // 32- and 64-bit builds.
  bool operator==(const Image &other) const;
};
std::string Show(const Image &image); // its size

// The screen inside `rect`, in screen coordinates.
Image Grab(const RECT &rect);
// `text` drawn here into `box` with DrawTextW in `font` and `format`, in
// `ink` on a `size` image of `paper`.
Image Drawn(SIZE size, RECT box, HFONT font, const std::wstring &text,
            UINT format, COLORREF ink, COLORREF paper);
// What of `image` inside `within` is not alike `paper`, cut to its bounding
// box: where it lies does not matter, its shape and colours do. Empty if
// nothing differs.
Image Ink(const Image &image, COLORREF paper, const RECT &within);

} // namespace harness
