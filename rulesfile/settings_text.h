// The rules file's text, read and written without touching a file. UTF-8
// lines ending in LF or CR LF, an optional BOM first:
//
//   # a comment; blank lines are skipped too
//   topmost-tamer=1
//   hide-when-minimized=no
//   keep-off-top=C:\Program Files\Ads\banner.exe|AdBanner
//   keep-on-top=C:\Tools\clock.exe|ClockWnd
//
// A rule's path ends at its first '|' (no Windows path holds one); the rest
// of the line is the window class. In memory the texts are in the ANSI code
// page given, and are converted to and from UTF-8 when that is another.
#pragma once

#include <cstddef>
#include <string_view>

#include "settings.h"
#include "window_ops.h"

namespace settings_text {

// Longer than any line that the format writes: a rule's longest texts, at
// up to three bytes of UTF-8 for each byte in the ANSI code page.
constexpr std::size_t kMaxLine = 8192;

// Where the formatted text goes, piece by piece; false stops the writing.
class Sink {
public:
  virtual bool Write(const char *data, std::size_t size) = 0;

protected:
  ~Sink() = default;
};

// Writes `settings` as the file's text. False if `sink` failed, or a rule
// cannot be written (CanRemember refuses it).
bool Format(const Settings &settings, platform::UINT codePage, Sink &sink);

// The file's line for `rule`, its line end included; its length, or 0 if
// the file cannot hold the rule.
std::size_t FormatRule(const Rule &rule, platform::UINT codePage,
                       char (&line)[kMaxLine]);

// Reads the file's text, fed in pieces cut anywhere, into `settings`. Every
// line it cannot use makes the text damaged: an unknown key or other syntax,
// a control character, text that is not UTF-8 or not in the code page, an
// overlong line, a second version or setting that contradicts the first, a
// rule that contradicts an earlier one for the same application and class,
// a rule beyond Settings::kMaxRules, no version line or another version than
// 1, and a last line without its end (the file may have been cut). What can
// be read is kept all the same; an exact repeat is harmless.
class Parser {
public:
  Parser(Settings &settings, platform::UINT codePage);
  void Feed(const char *data, std::size_t size);
  // Ends the text; true when the whole of it could be used.
  bool Finish();

private:
  void Line(std::string_view line);
  // The rule a line gives, or false.
  bool ReadRule(std::string_view value, Direction direction);
  // A setting that may be given again, but only alike.
  void Once(int &seen, int value);

  Settings &settings_;
  platform::UINT codePage_;
  char line_[kMaxLine];
  std::size_t length_ = 0;
  bool overlong_ = false; // the line so far did not fit: skipped to its end
  bool started_ = false;  // past the place of a BOM
  bool damaged_ = false;
  int version_ = -1; // -1: not given yet
  int hide_ = -1;
};

// Whether `text` is UTF-8: no overlong forms, surrogates or code points
// beyond U+10FFFF.
bool IsUtf8(std::string_view text);

} // namespace settings_text
