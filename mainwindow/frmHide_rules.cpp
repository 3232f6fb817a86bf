#include "frmHide_rules.h"

#include <algorithm>
#include <cstdio>
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

// The system's words for `error`, without the line break it ends with.
void ErrorText(DWORD error, char *text, DWORD size) {
  DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, text, size, nullptr);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' ||
                        text[length - 1] == ' ' || text[length - 1] == '.'))
    --length;
  if (length == 0)
    length = static_cast<DWORD>(std::snprintf(text, size, "error %lu", error));
  text[length < size ? length : size - 1] = '\0';
}

} // namespace

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
  char text[sizeof notice.text];
  if (report.readError != 0) {
    char why[256];
    ErrorText(report.readError, why, sizeof why);
    std::snprintf(notice.title.data(), notice.title.size(), "Rules not read");
    std::snprintf(text, sizeof text,
                  "Topmost Tamer could not read \"%s\": %s. It will not save "
                  "over it until it starts again.",
                  store.FilePath(), why);
  } else {
    std::snprintf(notice.title.data(), notice.title.size(),
                  "Rules file damaged");
    const int length = std::snprintf(
        text, sizeof text,
        "Topmost Tamer could not read all of \"%s\". It keeps the %u "
        "rule%s that it could read, ",
        store.FilePath(), static_cast<unsigned>(settings.ruleCount),
        settings.ruleCount == 1 ? "" : "s");
    char *const rest =
        text + std::min<std::size_t>(length > 0 ? length : 0, sizeof text - 1);
    const std::size_t room = sizeof text - (rest - text);
    if (report.keptAs[0] != '\0')
      std::snprintf(rest, room, "and kept the damaged file as \"%s\".",
                    report.keptAs.data());
    else
      std::snprintf(rest, room,
                    "but could not keep the damaged file aside, so it will "
                    "not save over it until it starts again.");
  }
  std::snprintf(notice.text.data(), notice.text.size(), "%s", text);
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
    std::snprintf(notice.title.data(), notice.title.size(),
                  "Rule not remembered");
    std::snprintf(notice.text.data(), notice.text.size(),
                  "Topmost Tamer keeps at most %u rules. Remove one from the "
                  "Rules menu first.",
                  static_cast<unsigned>(Settings::kMaxRules));
    return true;
  }
  char why[256];
  ErrorText(report.error, why, sizeof why);
  std::snprintf(notice.title.data(), notice.title.size(), "Rules not saved");
  std::snprintf(notice.text.data(), notice.text.size(),
                "Topmost Tamer could not save the rules to \"%s\": %s. The "
                "change holds until Topmost Tamer ends.",
                store.FilePath(), why);
  return true;
}
