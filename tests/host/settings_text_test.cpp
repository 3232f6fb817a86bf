// The rules file's text: what the parser keeps of every kind of file, the
// formatter's text, and the rules it refuses to write.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "settings_text.h"
#include "string_sink.h"

using namespace platform;

namespace {

struct Read {
  bool whole;
  std::vector<std::string> rules; // "PATH|CLASS", "+" first if kept on top
  bool hide = false;
  bool operator==(const Read &o) const {
    return whole == o.whole && rules == o.rules && hide == o.hide;
  }
};

Read Parse(const std::string &text, UINT codePage = CP_UTF8) {
  const auto settings = std::make_unique<Settings>();
  settings_text::Parser parser(*settings, codePage);
  // An exact-size copy, so that reading past the text trips ASan.
  const std::vector<char> copy(text.begin(), text.end());
  parser.Feed(copy.data(), copy.size());
  Read read{parser.Finish(), {}, settings->hideWhenMinimized};
  for (std::size_t i = 0; i < settings->ruleCount; ++i)
    read.rules.push_back(
        (settings->rules[i].direction == Direction::OnTop ? "+" : "") +
        std::string(PathOf(settings->rules[i])) + "|" +
        std::string(ClassOf(settings->rules[i])));
  return read;
}

const std::string kV = "topmost-tamer=1\n";
const std::string kA = "keep-off-top=C:\\Ads\\banner.exe|AdBanner\n";
const std::string kB = "keep-on-top=C:\\clock.exe|Clock|Wnd\n";
const std::string kRuleA = "C:\\Ads\\banner.exe|AdBanner";
const std::string kRuleB = "+C:\\clock.exe|Clock|Wnd";

} // namespace

TEST(SettingsText, KeepsWhatCanBeReadOfEveryKindOfFile) {
  const std::string overlong =
      "keep-off-top=C:\\" + std::string(settings_text::kMaxLine, 'x') + "|X\n";
  std::string tooMany = kV;
  for (std::size_t i = 0; i <= Settings::kMaxRules; ++i)
    tooMany += "keep-off-top=C:\\" + std::to_string(i) + "|W\n";
  const struct {
    std::string text;
    Read read;
    UINT codePage = CP_UTF8;
  } cases[] = {
      {kV + kA + kB, {true, {kRuleA, kRuleB}}},
      {"topmost-tamer=1\r\nhide-when-minimized=yes\r\n" + kA.substr(0, 39) +
           "\r\n",
       {true, {kRuleA}, true}},
      {"\xEF\xBB\xBF" + kV + kA, {true, {kRuleA}}},
      {kV + "\xEF\xBB\xBF" + kA, {false, {}}},
      {"# hello\n\n \t\n" + kV + "#" + kA, {true, {}}},
      {kV + kA + kV, {true, {kRuleA}}},
      {kA, {false, {kRuleA}}},
      {"topmost-tamer=2\n" + kA, {false, {kRuleA}}},
      {"", {false, {}}},
      {kV + "colour=red\n" + kA, {false, {kRuleA}}},
      {kV + "keep-off-top\n" + kA, {false, {kRuleA}}},
      {kV + "Keep-Off-Top=C:\\a.exe|W\n", {false, {}}},
      {kV + "hide-when-minimized=1\n", {false, {}}},
      {kV + "hide-when-minimized=yes\nhide-when-minimized=no\n",
       {false, {}, true}},
      // Repeated, also in another case: harmless; contradicted: not.
      {kV + kA + kB + kA + "keep-off-top=c:\\ads\\BANNER.EXE|AdBanner\n",
       {true, {kRuleA, kRuleB}}},
      {kV + kA + "keep-on-top=C:\\ADS\\banner.exe|AdBanner\n",
       {false, {kRuleA}}},
      {kV + kA + "keep-on-top=C:\\Ads\\banner.exe|adbanner\n",
       {true, {kRuleA, "+C:\\Ads\\banner.exe|adbanner"}}},
      {kV + "keep-off-top=C:\\a.exe\n" + kA, {false, {kRuleA}}},
      {kV + "keep-off-top=|W\nkeep-off-top=C:\\a.exe|\n", {false, {}}},
      {kV + overlong + kA, {false, {kRuleA}}},
      {kV + kA + overlong.substr(1), {false, {kRuleA}}},
      {kV + std::string("keep-off-top=C:\\a\0.exe|W\n", 25) + kA,
       {false, {kRuleA}}},
      {std::string(4096, '\0'), {false, {}}},
      {kV + "keep-off-top=C:\\a.exe|W\tX\n", {false, {}}},
      {kV + "keep-off-top=C:\\a.exe|W\rX\n", {false, {}}},
      {kV + "keep-off-top=C:\\\xE9.exe|W\n" + kA, {false, {kRuleA}}},
      {kV + "# \xC0\xAF\n# \xED\xA0\x80\n", {false, {}}},
      {kV + "# \xE6\xBC", {false, {}}},
      {kV + "keep-on-top=C:\\\xE6\xBC\xA2.exe|W\n",
       {true, {"+C:\\\xE6\xBC\xA2.exe|W"}}},
      {kV + kA.substr(0, kA.size() - 1), {false, {kRuleA}}},
      // In code page 1252 "é" is E9, and "漢" is not there.
      {kV + "keep-off-top=C:\\\xC3\xA9.exe|\xC3\xA9\n",
       {true, {"C:\\\xE9.exe|\xE9"}},
       1252},
      {kV + "keep-off-top=C:\\\xE6\xBC\xA2.exe|W\n" + kA,
       {false, {kRuleA}},
       1252},
  };
  for (const auto &c : cases)
    EXPECT_TRUE(Parse(c.text, c.codePage) == c.read) << c.text.substr(0, 200);
  const Read most = Parse(tooMany);
  EXPECT_FALSE(most.whole);
  EXPECT_EQ(most.rules.size(), Settings::kMaxRules);
}

// UTF-8 whatever the code page. The file's text as a whole is the Wine
// tests' (tests/e2e/rules_test.cpp); that what it writes reads back the
// same is the fuzzer's (tests/fuzz).
TEST(SettingsText, WritesUtf8InASingleByteCodePage) {
  auto settings = std::make_unique<Settings>();
  MakeRule(settings->rules[0], "C:\\\xE9.exe", "Clock|Wnd", Direction::OnTop);
  settings->ruleCount = 1;
  StringSink sink;
  ASSERT_TRUE(settings_text::Format(*settings, 1252, sink));
  EXPECT_NE(sink.text.find("\r\nkeep-on-top=C:\\\xC3\xA9.exe|Clock|Wnd\r\n"),
            std::string::npos);
}

// No rule can add a line of its own, or one that would not read back.
TEST(SettingsText, RefusesARuleTheFileCannotHold) {
  const std::string longest(Rule::kMaxPath, 'p');
  const struct {
    std::string path, windowClass;
    bool fits;
  } cases[] = {
      {longest, std::string(Rule::kMaxClass, 'c'), true},
      {"", "W", false},
      {"C:\\a.exe", "", false},
      {"C:\\a|b.exe", "W", false},
      {"C:\\a.exe\nkeep-on-top=C:\\b.exe", "W", false},
      {"C:\\a.exe", "W\r\nkeep-on-top=C:\\b.exe|W", false},
      {"C:\\a.exe", "W\t", false},
      {"C:\\\xE9.exe", "W", false}, // not UTF-8
  };
  for (const auto &c : cases) {
    Rule rule;
    MakeRule(rule, c.path, c.windowClass, Direction::OffTop);
    char line[settings_text::kMaxLine];
    EXPECT_EQ(settings_text::FormatRule(rule, CP_UTF8, line) != 0, c.fits)
        << c.path << "|" << c.windowClass;
  }
  // A path that fills its array has no NUL: one byte too long.
  Rule full;
  MakeRule(full, longest, "W", Direction::OffTop);
  full.path.back() = 'p';
  EXPECT_FALSE(CanRemember(full));
}
