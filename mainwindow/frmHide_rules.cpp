#include "frmHide_rules.h"

#include <charconv>
#include <cstring>

#include "application.h"
#include "resource.h"

namespace {

// A menu item's text: `pieces` one after another, each '&' doubled so that
// names show as they are, cut to fit.
class MenuText {
public:
  MenuText &Add(std::string_view piece, bool literal = false) {
    for (const char c : piece) {
      if (!literal && c == '&')
        Put('&');
      Put(c);
    }
    return *this;
  }
  const char *Text() {
    text_[length_] = '\0';
    return text_;
  }

private:
  void Put(char c) {
    if (length_ + 1 < sizeof text_)
      text_[length_++] = c;
  }
  char text_[Rule::kMaxPath + Rule::kMaxClass + 128];
  std::size_t length_ = 0;
};

const char *DirectionText(Direction direction) {
  return direction == Direction::OnTop ? "kept on top" : "kept off top";
}

void SetItemText(HMENU menu, UINT id, const char *text, UINT state) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING | MIIM_STATE;
  item.dwTypeData = const_cast<char *>(text);
  item.fState = state;
  SetMenuItemInfoA(menu, id, FALSE, &item);
}

// A number's decimal digits.
struct Decimal {
  explicit Decimal(unsigned long value) {
    *std::to_chars(digits, digits + sizeof digits - 1, value).ptr = '\0';
  }
  char digits[24];
};

} // namespace

ErrorText::ErrorText(DWORD error) {
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, text.data(), static_cast<DWORD>(text.size()), nullptr);
  while (length > 0 && std::strchr("\r\n. ", text[length - 1]) != nullptr)
    --length;
  text[length] = '\0';
  if (length == 0)
    Join(text, {"error ", Decimal(error).digits});
}

void FillRulesMenu(HMENU menu, const Settings &settings) {
  while (GetMenuItemCount(menu) > 0)
    DeleteMenu(menu, 0, MF_BYPOSITION);
  AppendMenuA(menu, MF_STRING | MF_GRAYED, IDM_mnuRulesHeader,
              settings.ruleCount == 0
                  ? "No rules: keep a window from its menu in the list, then "
                    "remember it"
                  : "Click a rule to remove it:");
  for (std::size_t i = 0; i < settings.ruleCount; ++i) {
    const Rule &rule = settings.rules[i];
    MenuText text;
    text.Add(FileNameOf(PathOf(rule)))
        .Add(", class ")
        .Add(ClassOf(rule))
        .Add(": ")
        .Add(DirectionText(rule.direction))
        .Add("\t", true)
        .Add(PathOf(rule));
    AppendMenuA(menu, MF_STRING, IDM_mnuRule0 + i, text.Text());
  }
}

void ShowRememberItem(HMENU menu, const RememberOffer &offer) {
  const std::string_view name = FileNameOf(PathOf(offer.rule));
  MenuText text;
  switch (offer.kind) {
  case RememberOffer::Kind::FollowAgain:
    text.Add("F&ollow the rule for ", true).Add(name).Add(" again");
    SetItemText(menu, IDM_mnuRemember, text.Text(), MFS_ENABLED);
    return;
  case RememberOffer::Kind::Remembered:
  case RememberOffer::Kind::Remember:
    text.Add("R&emember for ", true).Add(name);
    SetItemText(menu, IDM_mnuRemember, text.Text(),
                offer.kind == RememberOffer::Kind::Remembered ? MFS_CHECKED
                                                              : MFS_ENABLED);
    return;
  case RememberOffer::Kind::Unavailable:
    break;
  }
  if (!name.empty())
    text.Add("R&emember for ", true).Add(name);
  else
    text.Add("R&emember", true);
  SetItemText(menu, IDM_mnuRemember, text.Text(), MFS_GRAYED);
}

bool ComposeLoadNotice(const RulesStore::LoadReport &report,
                       const RulesStore &store, const Settings &settings,
                       Notice &notice) {
  if (!report.damaged && report.readError == 0)
    return false;
  notice.offersRestart = false;
  const std::string_view path = store.FilePath();
  if (report.readError != 0) {
    Join(notice.title, {"Rules not read"});
    Join(notice.text, {"Topmost Tamer could not read \"", path,
                       "\": ", ErrorText(report.readError).text.data(),
                       ". It will not save over it until it starts again."});
    return true;
  }
  Join(notice.title, {"Rules file damaged"});
  const Decimal count(settings.ruleCount);
  const std::string_view rules = settings.ruleCount == 1 ? " rule" : " rules";
  if (report.keptAs[0] != '\0')
    Join(notice.text, {"Topmost Tamer could not read all of \"", path,
                       "\". It keeps the ", count.digits, rules,
                       " that it could read, and kept the damaged file "
                       "as \"",
                       report.keptAs.data(), "\"."});
  else
    Join(notice.text,
         {"Topmost Tamer could not read all of \"", path, "\". It keeps the ",
          count.digits, rules,
          " that it could read, but could not keep the "
          "damaged file aside, so it will not save over it until it starts "
          "again."});
  return true;
}

bool ComposeSaveNotice(const RulesStore::SaveReport &report,
                       const RulesStore &store, const Settings &settings,
                       Notice &notice) {
  if (ComposeLoadNotice(report.found, store, settings, notice) && report.saved)
    return true;
  if (report.saved)
    return false;
  notice.offersRestart = false;
  if (!report.held) {
    Join(notice.title, {"Rule not remembered"});
    Join(notice.text,
         {"Topmost Tamer keeps at most ", Decimal(Settings::kMaxRules).digits,
          " rules. Remove one from the Rules menu first."});
    return true;
  }
  Join(notice.title, {"Rules not saved"});
  Join(notice.text,
       {"Topmost Tamer could not save the rules to \"", store.FilePath(),
        "\": ", ErrorText(report.error).text.data(),
        ". The change holds until Topmost Tamer ends."});
  return true;
}
