// Feeds arbitrary bytes to the rules file's parser, whole and in pieces, in
// UTF-8 and in a single-byte code page: what it keeps must write out as a
// file that reads back whole, as the same settings.
#include <algorithm>
#include <cstdint>
#include <string>

#include "settings_text.h"
#include "string_sink.h"

#define CHECK(condition) ((condition) ? void() : __builtin_trap())

using namespace platform;

UINT platform::GetACP() { return CP_UTF8; }

namespace {

// Reads `text` fed `piece` bytes at a time, and writes it anew.
std::string Rewrite(const std::string &text, UINT codePage, std::size_t piece,
                    bool &whole) {
  static Settings settings;
  settings_text::Parser parser(settings, codePage);
  for (std::size_t at = 0; at < text.size(); at += piece)
    parser.Feed(text.data() + at, std::min(piece, text.size() - at));
  whole = parser.Finish();
  StringSink written;
  CHECK(settings_text::Format(settings, codePage, written));
  return written.text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  if (size < 1)
    return 0;
  // The first byte chooses the code page and the size of the pieces.
  const UINT codePage = data[0] & 1 ? 1252 : CP_UTF8;
  const std::string text(reinterpret_cast<const char *>(data) + 1, size - 1);
  bool whole, inPieces, again;
  const std::string written = Rewrite(text, codePage, size, whole);
  CHECK(Rewrite(text, codePage, data[0] / 2 + 1u, inPieces) == written &&
        inPieces == whole);
  CHECK(Rewrite(written, codePage, written.size() + 1, again) == written &&
        again);
  return 0;
}
