// The rules store over an in-memory disk that fails any step: the old file
// stays whole and the change holds each time, a damaged file is kept aside
// and never overwritten, and two copies keep each other's changes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_files.h"
#include "rules_store.h"

using namespace platform;
using fake_files::Step;

namespace {

const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming";
const std::string kFolder = kAppData + "\\Topmost Tamer";
const std::string kFile = kFolder + "\\rules.txt";
const std::string kAside = kFolder + "\\rules (damaged 1).txt";

// A copy of the program: its store and its settings.
struct Copy {
  RulesStore store;
  Settings settings;
  RulesStore::LoadReport loaded;

  Copy() {
    EXPECT_TRUE(store.Open(kAppData.c_str()));
    loaded = store.Load(settings);
  }
  RulesStore::SaveReport Set(const char *path, Direction direction,
                             const char *windowClass = "W") {
    SettingsChange change{SettingsChange::Kind::SetRule, {}, false};
    EXPECT_TRUE(MakeRule(change.rule, path, windowClass, direction));
    return store.Apply(change, settings);
  }
  RulesStore::SaveReport Remove(const char *path) {
    SettingsChange change{SettingsChange::Kind::RemoveRule, {}, false};
    EXPECT_TRUE(MakeRule(change.rule, path, "W", Direction::OffTop));
    return store.Apply(change, settings);
  }
  bool Has(const char *path) const {
    return FindRule(settings, path, "W") != nullptr;
  }
};

// What a copy started now would find.
std::unique_ptr<Copy> Restart() { return std::make_unique<Copy>(); }

class RulesStoreTest : public ::testing::Test {
protected:
  void SetUp() override { fake_files::Reset(kAppData); }
  void TearDown() override {
    EXPECT_EQ(fake_files::unlockedChanges, 0) << "a change made unlocked";
  }
};

} // namespace

TEST_F(RulesStoreTest, SavesEachChangeForTheNextRun) {
  auto copy = Restart();
  EXPECT_EQ(copy->settings.ruleCount, 0u);
  EXPECT_FALSE(copy->loaded.damaged);
  EXPECT_EQ(copy->store.FilePath(), kFile);
  EXPECT_TRUE(copy->Set("C:\\a.exe", Direction::OffTop).saved);
  EXPECT_TRUE(copy->Set("C:\\b.exe", Direction::OffTop).saved);
  EXPECT_TRUE(copy->Set("C:\\A.EXE", Direction::OnTop).saved);
  EXPECT_TRUE(copy->Remove("C:\\b.exe").saved);
  EXPECT_EQ(fake_files::files.size(), 1u); // no new file left beside it

  const auto again = Restart();
  EXPECT_FALSE(again->loaded.damaged);
  EXPECT_EQ(again->settings.ruleCount, 1u);
  ASSERT_TRUE(again->Has("C:\\a.exe"));
  EXPECT_EQ(FindRule(again->settings, "c:\\a.exe", "W")->direction,
            Direction::OnTop);
  EXPECT_FALSE(again->Has("C:\\b.exe"));
}

TEST_F(RulesStoreTest, AFailedSaveKeepsTheOldFileAndHoldsTheChange) {
  const struct {
    Step step;
    DWORD error;
    std::size_t room; // bytes left on the disk
  } cases[] = {
      {Step::Create, ERROR_ACCESS_DENIED, 1 << 20},
      {Step::Write, 19 /* ERROR_WRITE_PROTECT */, 1 << 20},
      {Step::None, ERROR_DISK_FULL, 0},
      {Step::None, ERROR_DISK_FULL, 100},
      {Step::Flush, ERROR_DISK_FULL, 1 << 20},
      {Step::Close, ERROR_DISK_FULL, 1 << 20},
      {Step::Replace, ERROR_ACCESS_DENIED, 1 << 20},
      {Step::Lock, WAIT_TIMEOUT, 1 << 20},
      {Step::Read, 32 /* ERROR_SHARING_VIOLATION */, 1 << 20},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(int(c.step));
    SCOPED_TRACE(c.room);
    fake_files::Reset(kAppData);
    auto copy = Restart();
    ASSERT_TRUE(copy->Set("C:\\old.exe", Direction::OffTop).saved);
    const std::string old = fake_files::files.at(kFile);

    fake_files::Fail(c.step, c.error);
    fake_files::room = c.room;
    const auto report = copy->Set("C:\\new.exe", Direction::OnTop);
    EXPECT_FALSE(report.saved);
    EXPECT_EQ(report.error, c.error);
    EXPECT_TRUE(copy->Has("C:\\new.exe"));
    EXPECT_EQ(fake_files::files.size(), 1u);
    EXPECT_EQ(fake_files::files.at(kFile), old);

    // The next change saves the earlier one too.
    fake_files::Fail(Step::None, 0);
    fake_files::room = 1 << 20;
    EXPECT_TRUE(copy->Remove("C:\\old.exe").saved);
    const auto again = Restart();
    EXPECT_TRUE(again->Has("C:\\new.exe"));
    EXPECT_FALSE(again->Has("C:\\old.exe"));
  }
}

TEST_F(RulesStoreTest, MakesTheFolderOrSaysWhyNot) {
  fake_files::Reset("C:\\");
  auto copy = Restart();
  fake_files::Fail(Step::MakeFolder, ERROR_ACCESS_DENIED);
  EXPECT_EQ(copy->Set("C:\\a.exe", Direction::OffTop).error,
            ERROR_ACCESS_DENIED);
  EXPECT_TRUE(fake_files::files.empty());
  fake_files::Fail(Step::None, 0);
  EXPECT_TRUE(copy->Set("C:\\b.exe", Direction::OffTop).saved);
  EXPECT_TRUE(Restart()->Has("C:\\a.exe"));
}

TEST_F(RulesStoreTest, KeepsADamagedFileAsideAndSavesWhatItCouldRead) {
  // A second damaged file finds the first one's name taken.
  const std::string damaged =
      "topmost-tamer=1\nkeep-off-top=C:\\a.exe|W\n\xFF\xFE junk\n";
  fake_files::folders.insert(kFolder);
  fake_files::files[kAside] = "kept earlier";
  fake_files::files[kFile] = damaged;
  const auto copy = Restart();
  EXPECT_TRUE(copy->loaded.damaged);
  EXPECT_STREQ(copy->loaded.keptAs.data(), "rules (damaged 2).txt");
  EXPECT_EQ(fake_files::files.at(kAside), "kept earlier");
  EXPECT_EQ(fake_files::files.at(kFolder + "\\rules (damaged 2).txt"), damaged);
  EXPECT_TRUE(copy->Has("C:\\a.exe"));

  const auto again = Restart();
  EXPECT_FALSE(again->loaded.damaged);
  EXPECT_TRUE(again->Has("C:\\a.exe"));
}

TEST_F(RulesStoreTest, NeverWritesOverADamagedFileItCouldNotKeepAside) {
  const std::string damaged = "keep-off-top=C:\\a.exe|W\n";
  fake_files::folders.insert(kFolder);
  fake_files::files[kFile] = damaged;
  for (const Step step : {Step::MoveAside, Step::Create}) {
    fake_files::Fail(step, ERROR_ACCESS_DENIED);
    auto copy = Restart();
    EXPECT_TRUE(copy->loaded.damaged);
    EXPECT_STREQ(copy->loaded.keptAs.data(), "");
    EXPECT_TRUE(copy->Has("C:\\a.exe"));
    const auto report = copy->Set("C:\\b.exe", Direction::OffTop);
    EXPECT_FALSE(report.saved);
    EXPECT_EQ(report.error, ERROR_ACCESS_DENIED);
    EXPECT_TRUE(copy->Has("C:\\b.exe"));
    EXPECT_EQ(fake_files::files.size(), 1u);
    EXPECT_EQ(fake_files::files.at(kFile), damaged);
  }
}

TEST_F(RulesStoreTest, NeverWritesOverAFileItCouldNotRead) {
  fake_files::folders.insert(kFolder);
  fake_files::files[kFile] = "topmost-tamer=1\nkeep-off-top=C:\\a.exe|W\n";
  fake_files::Fail(Step::Read, 32); // ERROR_SHARING_VIOLATION
  auto copy = Restart();
  EXPECT_EQ(copy->loaded.readError, 32u);
  EXPECT_FALSE(copy->Set("C:\\b.exe", Direction::OffTop).saved);
  EXPECT_TRUE(copy->Has("C:\\b.exe"));

  fake_files::Fail(Step::None, 0);
  EXPECT_TRUE(copy->Set("C:\\c.exe", Direction::OffTop).saved);
  const auto again = Restart();
  for (const char *path : {"C:\\a.exe", "C:\\b.exe", "C:\\c.exe"})
    EXPECT_TRUE(again->Has(path)) << path;
}

TEST_F(RulesStoreTest, TwoCopiesKeepEachOthersChanges) {
  auto one = Restart(), two = Restart();
  EXPECT_TRUE(one->Set("C:\\a.exe", Direction::OffTop).saved);
  EXPECT_TRUE(one->Set("C:\\b.exe", Direction::OffTop).saved);
  EXPECT_TRUE(two->Set("C:\\c.exe", Direction::OnTop).saved);
  EXPECT_TRUE(two->Has("C:\\a.exe")); // read with its own change

  // One's unsaved removal survives two's save, and two's rule one's.
  fake_files::Fail(Step::Replace, ERROR_ACCESS_DENIED);
  EXPECT_FALSE(one->Remove("C:\\a.exe").saved);
  fake_files::Fail(Step::None, 0);
  SettingsChange hide{SettingsChange::Kind::SetHideWhenMinimized, {}, true};
  EXPECT_TRUE(two->store.Apply(hide, two->settings).saved);
  EXPECT_TRUE(two->Remove("C:\\b.exe").saved);
  EXPECT_TRUE(one->Set("C:\\d.exe", Direction::OffTop).saved);

  const auto again = Restart();
  EXPECT_EQ(again->settings.ruleCount, 2u);
  EXPECT_TRUE(again->Has("C:\\c.exe"));
  EXPECT_TRUE(again->Has("C:\\d.exe"));
  EXPECT_TRUE(again->settings.hideWhenMinimized);
  EXPECT_EQ(one->settings.ruleCount, 2u);
}

TEST_F(RulesStoreTest, RefusesARuleItCannotHold) {
  auto copy = Restart();
  const auto refused = copy->Set("C:\\a.exe", Direction::OffTop, "W\nX");
  EXPECT_FALSE(refused.held);
  EXPECT_FALSE(refused.saved);
  EXPECT_EQ(copy->settings.ruleCount, 0u);
  for (std::size_t i = 0; i < Settings::kMaxRules; ++i)
    ASSERT_TRUE(
        copy->Set(("C:\\" + std::to_string(i)).c_str(), Direction::OffTop)
            .saved);
  EXPECT_FALSE(copy->Set("C:\\more.exe", Direction::OffTop).held);
  EXPECT_EQ(Restart()->settings.ruleCount, Settings::kMaxRules);
}

TEST_F(RulesStoreTest, SavesNothingWhenThePathIsTooLong) {
  RulesStore store;
  EXPECT_FALSE(store.Open(std::string(RulesStore::kMaxPath, 'x').c_str()));
  auto settings = std::make_unique<Settings>();
  EXPECT_FALSE(store.Load(*settings).damaged);
  SettingsChange change{SettingsChange::Kind::SetHideWhenMinimized, {}, true};
  EXPECT_EQ(store.Apply(change, *settings).error, ERROR_FILENAME_EXCED_RANGE);
  EXPECT_TRUE(settings->hideWhenMinimized);
  EXPECT_TRUE(fake_files::files.empty());
}
