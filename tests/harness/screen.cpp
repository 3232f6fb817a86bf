#include "screen.h"

#include <algorithm>

namespace harness {
namespace {

// A `size` image that `paint` draws in a bitmap like the screen, read back.
template <typename Paint> Image Painted(SIZE size, const Paint &paint) {
  const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  paint(dc, screen);
  Image image{size.cx, size.cy, {}};
  for (LONG y = 0; y < size.cy; ++y)
    for (LONG x = 0; x < size.cx; ++x)
      image.pixels.push_back(GetPixel(dc, x, y));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return image;
}

bool Alike(COLORREF a, COLORREF b) {
  const auto level = [](int x, int y) { return x - y < 16 && y - x < 16; };
  return level(GetRValue(a), GetRValue(b)) &&
         level(GetGValue(a), GetGValue(b)) && level(GetBValue(a), GetBValue(b));
}

} // namespace

bool Image::operator==(const Image &other) const {
  return width == other.width && height == other.height &&
         std::equal(pixels.begin(), pixels.end(), other.pixels.begin(), Alike);
}

std::string Show(const Image &image) {
  return std::to_string(image.width) + " x " + std::to_string(image.height);
}

Image Grab(const RECT &rect) {
  return Painted({rect.right - rect.left, rect.bottom - rect.top},
                 [&](HDC dc, HDC screen) {
                   BitBlt(dc, 0, 0, rect.right - rect.left,
                          rect.bottom - rect.top, screen, rect.left, rect.top,
                          SRCCOPY);
                 });
}

Image Drawn(SIZE size, RECT box, HFONT font, const std::wstring &text,
            UINT format, COLORREF ink, COLORREF paper) {
  return Painted(size, [&](HDC dc, HDC) {
    const RECT all = {0, 0, size.cx, size.cy};
    const HBRUSH brush = CreateSolidBrush(paper);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, font);
    SetTextColor(dc, ink);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  });
}

Image Ink(const Image &image, COLORREF paper, const RECT &within) {
  RECT box = {within.right, within.bottom, within.left, within.top};
  for (LONG y = within.top; y < within.bottom; ++y)
    for (LONG x = within.left; x < within.right; ++x)
      if (!Alike(image.At(x, y), paper))
        box = {std::min(box.left, x), std::min(box.top, y),
               std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  Image ink{std::max(0L, box.right - box.left), 0, {}};
  for (LONG y = box.top; y < box.bottom; ++y, ++ink.height)
    for (LONG x = box.left; x < box.right; ++x)
      ink.pixels.push_back(image.At(x, y));
  return ink;
}

} // namespace harness
