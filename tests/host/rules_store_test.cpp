// The rules store over an in-memory disk that fails any step, for what Wine
// cannot show: the old file stays whole and the change holds each time, a
// damaged file that cannot be kept aside stays as it is, and a copy's
// unsaved change outlives another copy's save. Also where damaged files go:
// the Wine tests keep one aside through the real file system.
#include <gtest/gtest.h>

#include <memory>

#include "fake_files.h"
#include "rules_store.h"

using namespace platform;
using fake_files::Step;

namespace {

const std::string kAppData = "C:\\AppData";
const std::string kFile = kAppData + "\\Topmost Tamer\\rules.txt";

// A copy of the program: its store and its settings, loaded.
struct Copy {
  RulesStore store;
  Settings settings;
  RulesStore::LoadReport loaded;

  Copy() {
    store.Open(kAppData.c_str());
    loaded = store.Load(settings);
  }
  RulesStore::SaveReport Change(SettingsChange::Kind kind, const char *path,
                                const char *windowClass = "W") {
    SettingsChange change{kind, {}, true};
    MakeRule(change.rule, path, windowClass, Direction::OffTop);
    return store.Apply(change, settings);
  }
  RulesStore::SaveReport Set(const char *path) {
    return Change(SettingsChange::Kind::SetRule, path);
  }
  bool Has(const char *path) const {
    return FindRule(settings, path, "W") != nullptr;
  }
};

std::unique_ptr<Copy> Start() { return std::make_unique<Copy>(); }

class RulesStoreTest : public ::testing::Test {
protected:
  void SetUp() override { fake_files::Reset(kAppData); }
  void TearDown() override { EXPECT_EQ(fake_files::unlockedChanges, 0); }
};

} // namespace

TEST_F(RulesStoreTest, AFailedSaveKeepsTheOldFileAndHoldsTheChange) {
  // A full disk, where a write fails, and a read-only one, where making the
  // new file does, are the Wine tests' (tests/e2e/rules_file_test.cpp).
  const struct {
    Step step;
    DWORD error;
  } cases[] = {
      {Step::MakeFolder, ERROR_ACCESS_DENIED},
      {Step::Flush, ERROR_DISK_FULL},
      {Step::Replace, ERROR_ACCESS_DENIED},
      {Step::Lock, WAIT_TIMEOUT},
      {Step::Read, 32 /* ERROR_SHARING_VIOLATION */},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(int(c.step));
    fake_files::Reset(kAppData);
    auto copy = Start();
    // The folder is made with the first file.
    if (c.step != Step::MakeFolder) {
      ASSERT_TRUE(copy->Set("C:\\old.exe").saved);
    }
    const auto old = fake_files::files;

    fake_files::Fail(c.step, c.error);
    const auto report = copy->Set("C:\\new.exe");
    EXPECT_FALSE(report.saved);
    EXPECT_EQ(report.error, c.error);
    EXPECT_TRUE(copy->Has("C:\\new.exe"));
    EXPECT_EQ(fake_files::files, old);

    // The next change saves it too; a removed rule stays removed.
    fake_files::Fail(Step::None, 0);
    EXPECT_TRUE(
        copy->Change(SettingsChange::Kind::RemoveRule, "C:\\OLD.EXE").saved);
    const auto again = Start();
    EXPECT_TRUE(again->Has("C:\\new.exe"));
    EXPECT_FALSE(again->Has("C:\\old.exe"));
  }
}

TEST_F(RulesStoreTest, KeepsEachDamagedFileAsideByItselfAndAWholeOneAsItIs) {
  const std::string folder = kAppData + "\\Topmost Tamer\\";
  fake_files::Reset(folder.substr(0, folder.size() - 1));
  const std::string damaged[] = {"keep-off-top=C:\\a.exe|W\n",
                                 std::string(4096, '\0')};
  for (const std::string &text : damaged) {
    fake_files::files[kFile] = text;
    EXPECT_TRUE(Start()->loaded.damaged);
  }
  // A BOM and CR LF.
  const std::string whole =
      "\xEF\xBB\xBFtopmost-tamer=1\r\nkeep-off-top=C:\\a.exe|W\r\n";
  fake_files::files[kFile] = whole;
  EXPECT_FALSE(Start()->loaded.damaged);
  EXPECT_EQ(fake_files::files,
            decltype(fake_files::files)(
                {{kFile, whole},
                 {folder + "rules (damaged 1).txt", damaged[0]},
                 {folder + "rules (damaged 2).txt", damaged[1]}}));
}

TEST_F(RulesStoreTest, NeverWritesOverADamagedFileItCouldNotKeepAside) {
  fake_files::Reset(kAppData + "\\Topmost Tamer");
  const std::string damaged = "keep-off-top=C:\\a.exe|W\n";
  fake_files::files[kFile] = damaged;
  fake_files::Fail(Step::MoveAside, ERROR_ACCESS_DENIED);
  auto copy = Start();
  EXPECT_TRUE(copy->loaded.damaged);
  EXPECT_STREQ(copy->loaded.keptAs.data(), "");
  EXPECT_TRUE(copy->Has("C:\\a.exe"));
  EXPECT_FALSE(copy->Set("C:\\b.exe").saved);
  EXPECT_TRUE(copy->Has("C:\\b.exe"));
  EXPECT_EQ(fake_files::files, decltype(fake_files::files)({{kFile, damaged}}));
}

TEST_F(RulesStoreTest, ACopysUnsavedChangeOutlivesAnothersSave) {
  auto one = Start(), two = Start();
  EXPECT_TRUE(one->Set("C:\\a.exe").saved);
  fake_files::Fail(Step::Replace, ERROR_ACCESS_DENIED);
  EXPECT_FALSE(
      one->Change(SettingsChange::Kind::RemoveRule, "C:\\a.exe").saved);
  EXPECT_FALSE(one->Set("C:\\b.exe").saved);
  fake_files::Fail(Step::None, 0);
  EXPECT_TRUE(
      two->Change(SettingsChange::Kind::SetHideWhenMinimized, "").saved);
  EXPECT_TRUE(two->Has("C:\\a.exe"));
  EXPECT_TRUE(one->Set("C:\\c.exe").saved);

  const auto again = Start();
  EXPECT_EQ(again->settings.ruleCount, 2u);
  EXPECT_TRUE(again->Has("C:\\b.exe") && again->Has("C:\\c.exe"));
  EXPECT_TRUE(again->settings.hideWhenMinimized);
}

TEST_F(RulesStoreTest, RefusesARuleItCannotHold) {
  auto copy = Start();
  EXPECT_FALSE(
      copy->Change(SettingsChange::Kind::SetRule, "C:\\a.exe", "W\nX").held);
  for (std::size_t i = 0; i < Settings::kMaxRules; ++i)
    copy->Set(("C:\\" + std::to_string(i)).c_str());
  EXPECT_FALSE(copy->Set("C:\\more.exe").held);
  EXPECT_EQ(Start()->settings.ruleCount, Settings::kMaxRules);
}
