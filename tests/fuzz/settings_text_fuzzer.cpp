// Feeds arbitrary bytes to the rules file's parser, whole and in pieces, in
// UTF-8 and in a single-byte code page, and checks that what it kept writes
// out as a file that reads back the same, whole.
#include <algorithm>
#include <cstdint>
#include <string>

#include "settings_text.h"

#define CHECK(condition) ((condition) ? void() : __builtin_trap())

using namespace platform;

UINT platform::GetACP() { return CP_UTF8; }

namespace {

struct StringSink final : settings_text::Sink {
  std::string text;
  bool Write(const char *data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
};

// Parses `text` fed `piece` bytes at a time (0: whole); true if whole.
bool Parse(const std::string &text, UINT codePage, std::size_t piece,
           Settings &settings) {
  settings_text::Parser parser(settings, codePage);
  if (piece == 0)
    piece = text.size();
  for (std::size_t at = 0; at < text.size(); at += piece)
    parser.Feed(text.data() + at, std::min(piece, text.size() - at));
  return parser.Finish();
}

bool Same(const Settings &a, const Settings &b) {
  if (a.ruleCount != b.ruleCount || a.hideWhenMinimized != b.hideWhenMinimized)
    return false;
  for (std::size_t i = 0; i < a.ruleCount; ++i)
    if (PathOf(a.rules[i]) != PathOf(b.rules[i]) ||
        ClassOf(a.rules[i]) != ClassOf(b.rules[i]) ||
        a.rules[i].direction != b.rules[i].direction)
      return false;
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  if (size < 1)
    return 0;
  // The first byte chooses the code page and the size of the pieces.
  const UINT codePage = data[0] & 1 ? 1252 : CP_UTF8;
  const std::size_t piece = data[0] >> 1;
  const std::string text(reinterpret_cast<const char *>(data) + 1, size - 1);

  static Settings whole, pieces, again;
  const bool wholeRead = Parse(text, codePage, 0, whole);
  CHECK(Parse(text, codePage, piece, pieces) == wholeRead);
  CHECK(Same(whole, pieces));
  CHECK(whole.ruleCount <= Settings::kMaxRules);

  StringSink written;
  CHECK(settings_text::Format(whole, codePage, written));
  CHECK(Parse(written.text, codePage, 0, again));
  CHECK(Same(whole, again));
  return 0;
}
