// The rules file's text: what the parser keeps of every kind of file, and
// the formatter's text, which reads back the same.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "settings_text.h"

using namespace platform;

namespace {

constexpr UINT kLatin = 1252; // the fake's single-byte code page

struct Read {
  bool whole;
  std::vector<std::string> rules; // "off PATH|CLASS" or "on PATH|CLASS"
  bool hide;
};

std::vector<std::string> Rules(const Settings &settings) {
  std::vector<std::string> rules;
  for (std::size_t i = 0; i < settings.ruleCount; ++i) {
    const Rule &rule = settings.rules[i];
    rules.push_back((rule.direction == Direction::OnTop ? "on " : "off ") +
                    std::string(PathOf(rule)) + "|" +
                    std::string(ClassOf(rule)));
  }
  return rules;
}

Read Parse(const std::string &text, UINT codePage = CP_UTF8) {
  const auto settings = std::make_unique<Settings>();
  settings_text::Parser parser(*settings, codePage);
  // An exact-size copy, so that reading past the text trips ASan.
  const std::vector<char> copy(text.begin(), text.end());
  parser.Feed(copy.data(), copy.size());
  const bool whole = parser.Finish();
  return {whole, Rules(*settings), settings->hideWhenMinimized};
}

struct StringSink final : settings_text::Sink {
  std::string text;
  bool Write(const char *data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
};

std::string Format(const Settings &settings, UINT codePage = CP_UTF8) {
  StringSink sink;
  EXPECT_TRUE(settings_text::Format(settings, codePage, sink));
  return sink.text;
}

const std::string kV = "topmost-tamer=1\n";
const std::string kA = "keep-off-top=C:\\Ads\\banner.exe|AdBanner\n";
const std::string kB = "keep-on-top=C:\\Tools\\clock.exe|Clock|Wnd\n";
const std::string kRuleA = "off C:\\Ads\\banner.exe|AdBanner";
const std::string kRuleB = "on C:\\Tools\\clock.exe|Clock|Wnd";

} // namespace

TEST(SettingsText, KeepsWhatCanBeReadOfEveryKindOfFile) {
  const std::string overlong =
      "keep-off-top=C:\\" + std::string(settings_text::kMaxLine, 'x') + "|X\n";
  std::string tooMany = kV;
  for (std::size_t i = 0; i <= Settings::kMaxRules; ++i)
    tooMany += "keep-off-top=C:\\" + std::to_string(i) + ".exe|W\n";
  const struct {
    const char *name;
    std::string text;
    Read read;
  } cases[] = {
      {"LF", kV + kA + kB, {true, {kRuleA, kRuleB}, false}},
      {"CR LF",
       "topmost-tamer=1\r\nhide-when-minimized=yes\r\n"
       "keep-off-top=C:\\Ads\\banner.exe|AdBanner\r\n",
       {true, {kRuleA}, true}},
      {"BOM", "\xEF\xBB\xBF" + kV + kA, {true, {kRuleA}, false}},
      {"BOM later", kV + "\xEF\xBB\xBF" + kA, {false, {}, false}},
      {"comments and blank lines",
       "# hello\n\n \t\n" + kV + "#" + kA,
       {true, {}, false}},
      {"the version repeated", kV + kA + kV, {true, {kRuleA}, false}},
      {"no version", kA, {false, {kRuleA}, false}},
      {"another version", "topmost-tamer=2\n" + kA, {false, {kRuleA}, false}},
      {"a second version", kV + "topmost-tamer=2\n", {false, {}, false}},
      {"empty", "", {false, {}, false}},
      {"unknown key", kV + "colour=red\n" + kA, {false, {kRuleA}, false}},
      {"no equals sign", kV + "keep-off-top\n" + kA, {false, {kRuleA}, false}},
      {"a key's case", kV + "Keep-Off-Top=C:\\a.exe|W\n", {false, {}, false}},
      {"a bad setting", kV + "hide-when-minimized=1\n", {false, {}, false}},
      {"a setting contradicted",
       kV + "hide-when-minimized=yes\nhide-when-minimized=no\n",
       {false, {}, true}},
      {"a rule repeated", kV + kA + kB + kA, {true, {kRuleA, kRuleB}, false}},
      {"a rule repeated in other case",
       kV + kA + "keep-off-top=c:\\ads\\BANNER.EXE|AdBanner\n",
       {true, {kRuleA}, false}},
      {"a rule contradicted",
       kV + kA + "keep-on-top=C:\\ADS\\banner.exe|AdBanner\n",
       {false, {kRuleA}, false}},
      {"the class's case counts",
       kV + kA + "keep-on-top=C:\\Ads\\banner.exe|adbanner\n",
       {true, {kRuleA, "on C:\\Ads\\banner.exe|adbanner"}, false}},
      {"no bar",
       kV + "keep-off-top=C:\\a.exe\n" + kA,
       {false, {kRuleA}, false}},
      {"no path", kV + "keep-off-top=|W\n", {false, {}, false}},
      {"no class", kV + "keep-off-top=C:\\a.exe|\n", {false, {}, false}},
      {"an overlong line", kV + overlong + kA, {false, {kRuleA}, false}},
      {"an overlong last line",
       kV + kA + overlong.substr(1),
       {false, {kRuleA}, false}},
      {"NUL",
       kV + std::string("keep-off-top=C:\\a\0.exe|W\n", 25) + kA,
       {false, {kRuleA}, false}},
      {"NUL-filled", std::string(4096, '\0'), {false, {}, false}},
      {"a tab in a rule",
       kV + "keep-off-top=C:\\a.exe|W\tX\n",
       {false, {}, false}},
      {"a lone CR", kV + "keep-off-top=C:\\a.exe|W\rX\n", {false, {}, false}},
      {"not UTF-8",
       kV + "keep-off-top=C:\\\xE9.exe|W\n" + kA,
       {false, {kRuleA}, false}},
      {"an overlong form", kV + "# \xC0\xAF\n", {false, {}, false}},
      {"a surrogate", kV + "# \xED\xA0\x80\n", {false, {}, false}},
      {"cut in a character", kV + "# \xE6\xBC", {false, {}, false}},
      {"UTF-8 kept as it is",
       kV + "keep-on-top=C:\\\xE6\xBC\xA2.exe|W\n",
       {true, {"on C:\\\xE6\xBC\xA2.exe|W"}, false}},
      {"too many rules", tooMany, {false, {}, false}},
      {"no last line end",
       kV + kA.substr(0, kA.size() - 1),
       {false, {kRuleA}, false}},
  };
  for (const auto &c : cases) {
    const Read read = Parse(c.text);
    EXPECT_EQ(read.whole, c.read.whole) << c.name;
    EXPECT_EQ(read.hide, c.read.hide) << c.name;
    if (std::string(c.name) == "too many rules")
      EXPECT_EQ(read.rules.size(), Settings::kMaxRules);
    else
      EXPECT_EQ(read.rules, c.read.rules) << c.name;
  }
}

TEST(SettingsText, ConvertsToAndFromTheAnsiCodePage) {
  // "é" is E9 in the code page and C3 A9 in the file; "漢" is not in it.
  EXPECT_EQ(
      Parse(kV + "keep-off-top=C:\\\xC3\xA9.exe|\xC3\xA9\n", kLatin).rules,
      std::vector<std::string>{"off C:\\\xE9.exe|\xE9"});
  const Read lost =
      Parse(kV + "keep-off-top=C:\\\xE6\xBC\xA2.exe|W\n" + kA, kLatin);
  EXPECT_FALSE(lost.whole);
  EXPECT_EQ(lost.rules, std::vector<std::string>{kRuleA});

  auto settings = std::make_unique<Settings>();
  ASSERT_TRUE(
      MakeRule(settings->rules[0], "C:\\\xE9.exe", "\xE9", Direction::OnTop));
  settings->ruleCount = 1;
  const std::string text = Format(*settings, kLatin);
  EXPECT_NE(text.find("keep-on-top=C:\\\xC3\xA9.exe|\xC3\xA9\r\n"),
            std::string::npos);
  EXPECT_EQ(Parse(text, kLatin).rules,
            std::vector<std::string>{"on C:\\\xE9.exe|\xE9"});
}

TEST(SettingsText, WritesWhatAPersonCanReadAndReadsItBack) {
  auto settings = std::make_unique<Settings>();
  settings->hideWhenMinimized = true;
  ASSERT_TRUE(MakeRule(settings->rules[0], "C:\\Program Files\\Ads\\banner.exe",
                       "AdBanner", Direction::OffTop));
  ASSERT_TRUE(MakeRule(settings->rules[1], "C:\\Tools\\clock.exe", "Clock|Wnd",
                       Direction::OnTop));
  settings->ruleCount = 2;
  const std::string text = Format(*settings);
  EXPECT_EQ(text,
            "# Topmost Tamer: the windows it keeps on top or off top, and its "
            "settings.\r\n"
            "# A rule: keep-off-top= or keep-on-top=, the application's full "
            "path, '|' and the window class.\r\n"
            "topmost-tamer=1\r\n"
            "hide-when-minimized=yes\r\n"
            "keep-off-top=C:\\Program Files\\Ads\\banner.exe|AdBanner\r\n"
            "keep-on-top=C:\\Tools\\clock.exe|Clock|Wnd\r\n");
  const Read read = Parse(text);
  EXPECT_TRUE(read.whole);
  EXPECT_TRUE(read.hide);
  EXPECT_EQ(read.rules, Rules(*settings));
}

TEST(SettingsText, RefusesARuleTheFileCannotHold) {
  const std::string longest(Rule::kMaxPath, 'p');
  const struct {
    std::string path, windowClass;
    UINT codePage;
    bool fits;
  } cases[] = {
      {longest, std::string(Rule::kMaxClass, 'c'), CP_UTF8, true},
      {"", "W", CP_UTF8, false},
      {"C:\\a.exe", "", CP_UTF8, false},
      {"C:\\a|b.exe", "W", CP_UTF8, false},
      {"C:\\a.exe\nkeep-on-top=C:\\b.exe", "W", CP_UTF8, false},
      {"C:\\a.exe", "W\r\nkeep-on-top=C:\\b.exe|W", CP_UTF8, false},
      {"C:\\a.exe", "W\t", CP_UTF8, false},
      {"C:\\\xE9.exe", "W", CP_UTF8, false}, // not UTF-8
      {"C:\\\xE9.exe", "W", kLatin, true},
  };
  for (const auto &c : cases) {
    Rule rule;
    ASSERT_TRUE(MakeRule(rule, c.path, c.windowClass, Direction::OffTop));
    char line[settings_text::kMaxLine];
    EXPECT_EQ(settings_text::FormatRule(rule, c.codePage, line) != 0, c.fits)
        << c.path << "|" << c.windowClass;
  }
  // A path that fills its array has no NUL: one byte too long.
  Rule full;
  ASSERT_TRUE(MakeRule(full, longest, "W", Direction::OffTop));
  full.path.back() = 'p';
  EXPECT_FALSE(CanRemember(full));
}
