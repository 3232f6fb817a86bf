#include "screen.h"

#include <algorithm>

namespace harness {
namespace {

// A `size` image of 32-bit pixels that `paint` draws into, read back.
template <typename Paint> Image Paint32(SIZE size, const Paint &paint) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy; // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  DWORD *bits = nullptr; // 0x00RRGGBB, where a COLORREF is 0x00BBGGRR
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(
      dc, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  paint(dc);
  GdiFlush();
  Image image{size.cx, size.cy, {}};
  for (LONG i = 0; bits != nullptr && i < size.cx * size.cy; ++i)
    image.pixels.push_back(
        RGB(GetBValue(bits[i]), GetGValue(bits[i]), GetRValue(bits[i])));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return image;
}

} // namespace

bool Alike(COLORREF a, COLORREF b) {
  const auto level = [](int x, int y) { return x - y < 16 && y - x < 16; };
  return level(GetRValue(a), GetRValue(b)) &&
         level(GetGValue(a), GetGValue(b)) && level(GetBValue(a), GetBValue(b));
}

bool Image::operator==(const Image &other) const {
  return width == other.width && height == other.height &&
         std::equal(pixels.begin(), pixels.end(), other.pixels.begin(), Alike);
}

std::string Show(const Image &image) {
  DWORD hash = 2166136261u; // FNV-1a, so that images of one size differ
  for (const COLORREF pixel : image.pixels)
    hash = (hash ^ pixel) * 16777619u;
  return std::to_string(image.width) + " x " + std::to_string(image.height) +
         ", pixels " + std::to_string(hash);
}

Image Grab(const RECT &rect) {
  return Paint32({rect.right - rect.left, rect.bottom - rect.top}, [&](HDC dc) {
    const HDC screen = GetDC(nullptr);
    BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen,
           rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
}

Image Drawn(SIZE size, RECT box, HFONT font, const std::wstring &text,
            UINT format, COLORREF ink, COLORREF paper) {
  return Paint32(size, [&](HDC dc) {
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
  Image ink{std::max(0L, box.right - box.left),
            std::max(0L, box.bottom - box.top),
            {}};
  for (LONG y = box.top; y < box.bottom; ++y)
    for (LONG x = box.left; x < box.right; ++x)
      ink.pixels.push_back(image.At(x, y));
  return ink;
}

} // namespace harness
