#include "settings_text.h"

#include <cstring>

using namespace platform;

namespace settings_text {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kVersionKey = "topmost-tamer";
constexpr std::string_view kHideKey = "hide-when-minimized";
constexpr std::string_view kOffTopKey = "keep-off-top";
constexpr std::string_view kOnTopKey = "keep-on-top";
constexpr std::string_view kHeader =
    "# Topmost Tamer: the windows it keeps on top or off top, and its "
    "settings.\r\n"
    "# A rule: keep-off-top= or keep-on-top=, the application's full path, "
    "'|' and the window class.\r\n"
    "topmost-tamer=1\r\n";

// `text` from `at` on, or up to `at`: string_view's substr, which would
// throw, without the check.
std::string_view After(std::string_view text, std::size_t at) {
  return {text.data() + at, text.size() - at};
}
std::string_view Before(std::string_view text, std::size_t at) {
  return {text.data(), at};
}

bool HasControl(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20)
      return true;
  return false;
}

// `text` in code page `from` as code page `to`, into `out`: its length, or
// 0 if it does not fit or has a character that `to` lacks.
std::size_t Recode(std::string_view text, UINT from, UINT to, char *out,
                   std::size_t capacity) {
  if (from == to) {
    if ((to == CP_UTF8 && !IsUtf8(text)) || text.size() > capacity)
      return 0;
    std::memcpy(out, text.data(), text.size());
    return text.size();
  }
  WCHAR wide[kMaxLine];
  if (text.empty() || text.size() > kMaxLine)
    return 0;
  const int wideLength =
      MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(),
                          int(text.size()), wide, int(kMaxLine));
  if (wideLength == 0)
    return 0;
  BOOL lost = FALSE;
  const int length = WideCharToMultiByte(
      to, to == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, wideLength, out,
      int(capacity), to == CP_UTF8 ? nullptr : &lost);
  return lost ? 0 : std::size_t(length);
}

// Appends `text` to the line being made; false if it would not fit.
bool Append(char (&line)[kMaxLine], std::size_t &length,
            std::string_view text) {
  if (text.size() > kMaxLine - length)
    return false;
  std::memcpy(line + length, text.data(), text.size());
  length += text.size();
  return true;
}

bool Put(Sink &sink, std::string_view text) {
  return sink.Write(text.data(), text.size());
}

} // namespace

bool IsUtf8(std::string_view text) {
  const auto *byte = reinterpret_cast<const unsigned char *>(text.data());
  const auto *const end = byte + text.size();
  while (byte < end) {
    const unsigned lead = *byte++;
    if (lead < 0x80)
      continue;
    // The continuation bytes, and the least code point of that length.
    int more;
    unsigned point, least;
    if ((lead & 0xE0) == 0xC0) {
      more = 1, point = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      more = 2, point = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      more = 3, point = lead & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (end - byte < more)
      return false;
    for (; more > 0; --more, ++byte) {
      if ((*byte & 0xC0) != 0x80)
        return false;
      point = point << 6 | (*byte & 0x3Fu);
    }
    if (point < least || point > 0x10FFFF ||
        (point >= 0xD800 && point < 0xE000))
      return false;
  }
  return true;
}

std::size_t FormatRule(const Rule &rule, UINT codePage,
                       char (&line)[kMaxLine]) {
  const std::string_view path = PathOf(rule), windowClass = ClassOf(rule);
  if (path.empty() || windowClass.empty() || path.size() > Rule::kMaxPath ||
      windowClass.size() > Rule::kMaxClass ||
      path.find('|') != std::string_view::npos || HasControl(path) ||
      HasControl(windowClass))
    return 0;
  std::size_t length = 0;
  if (!Append(line, length,
              rule.direction == Direction::OnTop ? kOnTopKey : kOffTopKey) ||
      !Append(line, length, "="))
    return 0;
  const std::string_view texts[] = {path, windowClass};
  const std::string_view ends[] = {"|", "\r\n"};
  for (int i = 0; i < 2; ++i) {
    const std::size_t made =
        Recode(texts[i], codePage, CP_UTF8, line + length, kMaxLine - length);
    if (made == 0)
      return 0;
    length += made;
    if (!Append(line, length, ends[i]))
      return 0;
  }
  return length;
}

bool Format(const Settings &settings, UINT codePage, Sink &sink) {
  if (!Put(sink, kHeader) ||
      !Put(sink, settings.hideWhenMinimized ? "hide-when-minimized=yes\r\n"
                                            : "hide-when-minimized=no\r\n"))
    return false;
  char line[kMaxLine];
  for (std::size_t i = 0; i < settings.ruleCount; ++i) {
    const std::size_t length = FormatRule(settings.rules[i], codePage, line);
    if (length == 0 || !sink.Write(line, length))
      return false;
  }
  return true;
}

Parser::Parser(Settings &settings, UINT codePage)
    : settings_(settings), codePage_(codePage) {
  settings_.ruleCount = 0;
  settings_.hideWhenMinimized = false;
}

void Parser::Feed(const char *data, std::size_t size) {
  while (size > 0) {
    const void *found = std::memchr(data, '\n', size);
    const std::size_t piece =
        found != nullptr ? std::size_t(static_cast<const char *>(found) - data)
                         : size;
    if (piece > sizeof line_ - length_) {
      overlong_ = true;
    } else if (!overlong_) {
      std::memcpy(line_ + length_, data, piece);
      length_ += piece;
    }
    if (found == nullptr)
      return;
    if (overlong_)
      damaged_ = true;
    else
      Line({line_, length_});
    length_ = 0;
    overlong_ = false;
    data += piece + 1;
    size -= piece + 1;
  }
}

bool Parser::Finish() {
  if (length_ > 0 || overlong_) {
    // A last line without its end: the file may have been cut short. What
    // it says is kept, and the file counts as damaged.
    Feed("\n", 1);
    damaged_ = true;
  }
  if (version_ != 1)
    damaged_ = true;
  return !damaged_;
}

void Parser::Once(int &seen, int value) {
  if (seen != -1 && seen != value)
    damaged_ = true;
  else
    seen = value;
}

void Parser::Line(std::string_view line) {
  if (!started_) {
    started_ = true;
    if (line.size() >= kBom.size() && Before(line, kBom.size()) == kBom)
      line.remove_prefix(kBom.size());
  }
  if (!line.empty() && line.back() == '\r')
    line.remove_suffix(1);
  bool blank = true;
  for (const char c : line) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
      damaged_ = true;
      return;
    }
    blank = blank && (c == ' ' || c == '\t');
  }
  if (!IsUtf8(line)) {
    damaged_ = true;
    return;
  }
  if (blank || line[0] == '#')
    return;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    damaged_ = true;
    return;
  }
  const std::string_view key = Before(line, equals);
  const std::string_view value = After(line, equals + 1);
  if (key == kVersionKey) {
    Once(version_, value == "1" ? 1 : 0);
  } else if (key == kHideKey && (value == "yes" || value == "no")) {
    Once(hide_, value == "yes");
    settings_.hideWhenMinimized = hide_ == 1;
  } else if (key == kOffTopKey || key == kOnTopKey) {
    if (!ReadRule(value,
                  key == kOnTopKey ? Direction::OnTop : Direction::OffTop))
      damaged_ = true;
  } else {
    damaged_ = true;
  }
}

bool Parser::ReadRule(std::string_view value, Direction direction) {
  const std::size_t bar = value.find('|');
  if (bar == std::string_view::npos)
    return false;
  Rule rule;
  const std::string_view texts[] = {Before(value, bar), After(value, bar + 1)};
  char *const into[] = {rule.path.data(), rule.windowClass.data()};
  const std::size_t most[] = {Rule::kMaxPath, Rule::kMaxClass};
  for (int i = 0; i < 2; ++i) {
    const std::size_t length =
        Recode(texts[i], CP_UTF8, codePage_, into[i], most[i]);
    if (length == 0 || HasControl(texts[i]))
      return false;
    into[i][length] = '\0';
  }
  rule.direction = direction;
  if (const Rule *known = FindRule(settings_, PathOf(rule), ClassOf(rule)))
    return known->direction == direction;
  if (settings_.ruleCount == Settings::kMaxRules)
    return false;
  settings_.rules[settings_.ruleCount++] = rule;
  return true;
}

} // namespace settings_text
