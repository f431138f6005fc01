#include "ui/dialogs/macro_pane/macro_working_set.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvolin::dialogs {
namespace {

using model::AssignmentType;
using model::MacroRecord;

MacroRecord Named(std::u16string_view name, std::uint16_t id) {
  MacroRecord record;
  record.SetName(name);
  record.id = id;
  record.play_count = 3;
  record.new_mark = 1;
  record.play_mode = 7;
  return record;
}

TEST(MacroWorkingSet, NamesCountUpAndSkipPrefixesOfExistingNames) {
  MacroWorkingSet set;
  EXPECT_EQ(set.NextName(u"Macro"), u"Macro1");
  ASSERT_EQ(set.Create(u"Macro1", 99), 0);
  const MacroRecord& first = set.at(0);
  EXPECT_EQ(first.play_count, 1);
  EXPECT_EQ(first.new_mark, 1);
  EXPECT_EQ(first.play_mode, 0);
  EXPECT_EQ(first.id, 1);
  EXPECT_EQ(first.action_count, 0);
  EXPECT_EQ(set.NextName(u"Macro"), u"Macro2");

  // Macro12 exists: with the counter back at 1, Macro1 is skipped (case ignored).
  const std::vector<MacroRecord> library = {Named(u"MACRO12", 4)};
  set.Load(library);
  EXPECT_EQ(set.at(0).new_mark, 0);
  EXPECT_EQ(set.at(0).play_mode, 7);
  EXPECT_EQ(set.NextName(u"Macro"), u"Macro3");  // the counter runs on while the set has items
  MacroWorkingSet fresh;
  fresh.Load(library);
  EXPECT_EQ(fresh.NextName(u"Macro"), u"Macro2");
  // An emptied set starts counting again.
  ASSERT_TRUE(fresh.Remove(0));
  EXPECT_EQ(fresh.NextName(u"Macro"), u"Macro1");
}

TEST(MacroWorkingSet, IdsAreTheSmallestFreeAndTheSetHoldsAHundred) {
  MacroWorkingSet set;
  const std::vector<MacroRecord> library = {Named(u"a", 2), Named(u"b", 1), Named(u"c", 4)};
  set.Load(library);
  EXPECT_EQ(set.FreeId(), 3);
  EXPECT_EQ(set.Create(u"new", 1), 1);
  EXPECT_EQ(set.at(1).id, 3);
  EXPECT_EQ(set.IndexOfId(4), 3);
  EXPECT_EQ(set.IndexOfId(9), -1);
  while (set.size() < model::kMaxMacros) ASSERT_GE(set.Create(u"m", set.size()), 0);
  EXPECT_EQ(set.FreeId(), 0);
  EXPECT_EQ(set.Create(u"over", 0), -1);
  EXPECT_EQ(set.size(), model::kMaxMacros);
  // A freed id goes to the next new macro.
  ASSERT_TRUE(set.Remove(0));  // id 2
  EXPECT_EQ(set.Create(u"again", 0), 0);
  EXPECT_EQ(set.at(0).id, 2);
}

TEST(MacroWorkingSet, LongNamesStopAtTheNameField) {
  MacroWorkingSet set;
  const std::u16string long_name(400, u'x');
  ASSERT_EQ(set.Create(long_name, 0), 0);
  EXPECT_EQ(set.at(0).Name().size(), MacroRecord::kMaxNameLength);
  EXPECT_EQ(set.at(0).name.back(), u'\0');
  set.Rename(0, std::u16string(250, u'y'));
  EXPECT_EQ(set.at(0).Name(), std::u16string(249, u'y'));
  EXPECT_EQ(set.at(0).play_count, 1);  // renaming touches the name only
  set.Rename(0, u"short");
  EXPECT_EQ(set.at(0).Name(), u"short");
  EXPECT_EQ(set.at(0).name[6], u'\0');
  EXPECT_EQ(set.at(0).name[248], u'\0');  // the old tail is cleared
}

TEST(MacroWorkingSet, TheCommittedLibraryHasNoNewMarks) {
  MacroWorkingSet set;
  set.Create(u"one", 0);
  set.Create(u"two", 1);
  set.at(1).action_count = 2;
  set.at(1).actions[1] = {120, 0x1E, 1};
  const std::vector<MacroRecord> library = set.CopyLibrary();
  ASSERT_EQ(library.size(), 2u);
  EXPECT_EQ(library[0].new_mark, 0);
  EXPECT_EQ(library[1].new_mark, 0);
  EXPECT_EQ(set.at(0).new_mark, 1);  // until the commit is through
  set.ClearNewMarks();
  EXPECT_EQ(set.at(0).new_mark, 0);
  EXPECT_EQ(library[1].Name(), u"two");
  EXPECT_EQ(library[1].actions[1], (model::MacroAction{120, 0x1E, 1}));
}

// Keys naming a deleted macro, a new macro (an id reused in this session) or id 0: the first
// two are reset, id 0 takes the first macro's id; keys of other types are left alone. All
// four profiles are looked at.
TEST(MacroWorkingSet, CommitReconcilesMacroKeysInAllFourProfiles) {
  auto profiles = std::make_unique<model::ProfileSet>();
  for (int p = 0; p < model::kProfileCount; ++p) {
    profiles->Record(p, 10) = {AssignmentType::kMacro, 1, 5, 0, 0};        // deleted id 5
    profiles->Record(p, 11) = {AssignmentType::kMacro, 1, 0x10007, 0, 0};  // id 7, kept
    profiles->Record(p, 12) = {AssignmentType::kMacro, 1, 0, 0, 0};        // id 0
    profiles->Record(p, 13) = {AssignmentType::kSingleKey, 0, 5, 0, 0};
  }
  profiles->Record(3, 300) = {AssignmentType::kMacro, 1, 9, 0, 0};  // the new macro's id
  EXPECT_TRUE(MacroUsedByKeys(*profiles, 5));
  EXPECT_TRUE(MacroUsedByKeys(*profiles, 9));
  EXPECT_FALSE(MacroUsedByKeys(*profiles, 8));

  MacroWorkingSet set;
  set.Load(std::vector<MacroRecord>{Named(u"kept", 7)});
  ASSERT_EQ(set.Create(u"new", 1), 1);
  set.at(1).id = 9;
  const auto result = ReconcileMacroKeys(*profiles, set.Records());
  EXPECT_TRUE(result.changed);
  std::vector<std::size_t> expected;
  for (std::size_t p = 0; p < 4; ++p) expected.push_back(p * 512 + 10);
  expected.insert(expected.begin() + 4, 3 * 512 + 300);
  EXPECT_EQ(result.resetRecords, expected);
  for (int p = 0; p < model::kProfileCount; ++p) {
    EXPECT_EQ(profiles->Record(p, 10).type, AssignmentType::kDefault);
    EXPECT_EQ(profiles->Record(p, 11).type, AssignmentType::kMacro);
    EXPECT_EQ(profiles->Record(p, 12).value, 7u);
    EXPECT_EQ(profiles->Record(p, 13).type, AssignmentType::kSingleKey);
  }
  EXPECT_EQ(profiles->Record(3, 300).type, AssignmentType::kDefault);

  // Nothing left to change: no Apply needed. With no macros, id 0 stays as it is.
  set.ClearNewMarks();
  EXPECT_FALSE(ReconcileMacroKeys(*profiles, set.Records()).changed);
  auto empty = std::make_unique<model::ProfileSet>();
  empty->Record(0, 1) = {AssignmentType::kMacro, 1, 0, 0, 0};
  EXPECT_FALSE(ReconcileMacroKeys(*empty, {}).changed);
  EXPECT_EQ(empty->Record(0, 1).type, AssignmentType::kMacro);
}

}  // namespace
}  // namespace tarvolin::dialogs
