#include <gtest/gtest.h>

#include <vector>

#include "inifile/inifile.h"

namespace {

// Sections with one line each, the line naming the section's place in the file.
void Fill(TSectionList& list, std::initializer_list<const char*> names) {
  int n = 0;
  for (const char* name : names) list.Lines(list.AddSection(name)).Add("n=" + std::to_string(n++));
}

std::vector<std::string> Describe(const TSectionList& list) {
  std::vector<std::string> result;
  result.reserve(static_cast<size_t>(list.Count()));
  for (int32_t i = 0; i < list.Count(); ++i)
    result.push_back(list[i] + ":" + (list.Lines(i).Count() ? list.Lines(i)[0] : ""));
  return result;
}

TEST(SectionList, IndexOfWrapsAroundFromTheLastHit) {
  TSectionList list;
  EXPECT_EQ(list.IndexOf("a"), -1);
  Fill(list, {"A", "b", "a", "c"});
  EXPECT_EQ(list.IndexOf("a"), 0);
  list.SetLastHit(1);
  EXPECT_EQ(list.IndexOf("a"), 2);  // searched from b onwards
  EXPECT_EQ(list.LastHit(), 2);
  EXPECT_EQ(list.IndexOf("B"), 1);  // wrapped around
  EXPECT_EQ(list.IndexOf("zzz"), -1);
  EXPECT_EQ(list.LastHit(), 1);  // a miss keeps it
  list.SetLastHit(17);
  EXPECT_EQ(list.IndexOf("c"), 3);
  const TSectionList& constant = list;
  list.SetLastHit(3);
  EXPECT_EQ(constant.IndexOf("a"), 0);
}

TEST(SectionList, WithoutCallbackTheFirstOfEachGroupSurvives) {
  TSectionList list;
  Fill(list, {"A", "x", "a", "B", "A", "b"});
  EXPECT_TRUE(list.ResolveDuplicates(nullptr));
  EXPECT_EQ(Describe(list), (std::vector<std::string>{"A:n=0", "x:n=1", "B:n=3"}));

  TSectionList unique;
  Fill(unique, {"A", "B"});
  EXPECT_FALSE(unique.ResolveDuplicates(nullptr));
  EXPECT_EQ(unique.Count(), 2);
}

TEST(SectionList, CallbackWeighsEachLaterSectionAgainstTheSurvivor) {
  TSectionList list;
  Fill(list, {"S", "other", "s", "S"});
  std::vector<std::string> calls;
  // Keep whichever has the higher line number, i.e. the later one.
  auto keepLater = [&](const std::string& name, TStringList& earlier, TStringList& later) {
    calls.push_back(name + " " + earlier[0] + " " + later[0]);
    return false;
  };
  EXPECT_TRUE(list.ResolveDuplicates(keepLater));
  EXPECT_EQ(calls, (std::vector<std::string>{"s n=0 n=2", "S n=2 n=3"}));
  EXPECT_EQ(Describe(list), (std::vector<std::string>{"other:n=1", "S:n=3"}));
}

}  // namespace
