// The text operations for the host build and the fuzzer: UTF-8, and code
// page 1252 as Latin-1 (enough for the tests' "é"; a character beyond it is
// lost), with Latin-1's cases.
#include "settings_text.h"
#include "window_ops.h"

namespace platform {
namespace {

// The next code point of `text`, which is UTF-8.
unsigned long Decode(const unsigned char *&text) {
  const unsigned lead = *text++;
  const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
  unsigned long point = more == 0 ? lead : lead & (0x3F >> more);
  for (int i = 0; i < more; ++i)
    point = point << 6 | (*text++ & 0x3F);
  return point;
}

int Encode(unsigned long point, char *out) {
  if (point < 0x80)
    return out[0] = char(point), 1;
  const int more = point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
  out[0] = char(((0xFF << (7 - more)) & 0xFF) | (point >> (6 * more)));
  for (int i = 1; i <= more; ++i)
    out[i] = char(0x80 | ((point >> (6 * (more - i))) & 0x3F));
  return more + 1;
}

unsigned char Upper(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)
             ? c - 0x20
             : c;
}

} // namespace

int MultiByteToWideChar(UINT codePage, DWORD, const char *text, int length,
                        WCHAR *wide, int wideLength) {
  if (codePage == CP_UTF8 &&
      !settings_text::IsUtf8({text, std::size_t(length)}))
    return 0;
  const auto *byte = reinterpret_cast<const unsigned char *>(text);
  const auto *const end = byte + length;
  int made = 0;
  while (byte < end) {
    const unsigned long point = codePage == CP_UTF8 ? Decode(byte) : *byte++;
    if (made == wideLength)
      return 0;
    wide[made++] = WCHAR(point);
  }
  return made;
}

int WideCharToMultiByte(UINT codePage, DWORD, const WCHAR *wide, int wideLength,
                        char *text, int length, BOOL *usedDefaultChar) {
  int made = 0;
  for (int i = 0; i < wideLength; ++i) {
    char bytes[4] = {'?'};
    const auto point = static_cast<unsigned long>(wide[i]);
    int size = 1;
    if (codePage == CP_UTF8)
      size = Encode(point, bytes);
    else if (point < 0x100)
      bytes[0] = char(point);
    else
      *usedDefaultChar = TRUE;
    if (made + size > length)
      return 0;
    for (int j = 0; j < size; ++j)
      text[made++] = bytes[j];
  }
  return made;
}

BOOL EqualIgnoringCaseA(const char *a, int aLength, const char *b,
                        int bLength) {
  if (aLength != bLength)
    return FALSE;
  for (int i = 0; i < aLength; ++i)
    if (Upper(static_cast<unsigned char>(a[i])) !=
        Upper(static_cast<unsigned char>(b[i])))
      return FALSE;
  return TRUE;
}

} // namespace platform
