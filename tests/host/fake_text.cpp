// The text operations for the host build and the fuzzer: code page 1252 as
// Latin-1, UTF-8 as far as Latin-1 goes (a longer character stands for one
// that 1252 lacks), and ASCII's cases.
#include <cctype>

#include "window_ops.h"

namespace platform {

int MultiByteToWideChar(UINT codePage, DWORD, const char *text, int length,
                        WCHAR *wide, int wideLength) {
  int made = 0;
  for (int i = 0; i < length; ++i, ++made) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (made == wideLength)
      return 0;
    wide[made] = codePage != CP_UTF8 || byte < 0x80 ? byte
                 : byte < 0xE0 ? WCHAR((byte & 0x1F) << 6 | (text[++i] & 0x3F))
                               : 0x3000;
    while (codePage == CP_UTF8 && i + 1 < length &&
           (text[i + 1] & 0xC0) == 0x80)
      ++i;
  }
  return made;
}

int WideCharToMultiByte(UINT codePage, DWORD, const WCHAR *wide, int wideLength,
                        char *text, int length, BOOL *usedDefaultChar) {
  int made = 0;
  for (int i = 0; i < wideLength; ++i) {
    const auto point = static_cast<unsigned>(wide[i]);
    const char utf8[] = {char(point < 0x800 ? 0xC0 | point >> 6 : 0xE3),
                         char(point < 0x800 ? 0x80 | (point & 0x3F) : 0x80),
                         char(0x80)};
    const int size = codePage != CP_UTF8 || point < 0x80 ? 1
                     : point < 0x800                     ? 2
                                                         : 3;
    if (codePage != CP_UTF8 && point > 0xFF)
      *usedDefaultChar = TRUE;
    if (made + size > length)
      return 0;
    for (int j = 0; j < size; ++j)
      text[made++] = size == 1 ? char(point > 0xFF ? '?' : point) : utf8[j];
  }
  return made;
}

BOOL EqualIgnoringCaseA(const char *a, int aLength, const char *b,
                        int bLength) {
  for (int i = 0; aLength == bLength && i < aLength; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return FALSE;
  return aLength == bLength;
}

} // namespace platform
