#include <gtest/gtest.h>

#include "model/model.h"

TEST(CheckList, KeepsEntriesInOrderUntickedAndUnselected) {
  TCheckList list;
  list.Append("one");
  list.Append("two");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Name(0), "one");
  EXPECT_EQ(list.Name(1), "two");
  EXPECT_FALSE(list.IsTicked(0));
  EXPECT_FALSE(list.IsTicked(1));
  EXPECT_EQ(list.Selected(), -1);

  list.SetTick(1, true);
  list.Select(1);
  EXPECT_FALSE(list.IsTicked(0));
  EXPECT_TRUE(list.IsTicked(1));
  EXPECT_EQ(list.Selected(), 1);
  list.SetTick(1, false);
  EXPECT_FALSE(list.IsTicked(1));

  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Selected(), -1);
}

TEST(CheckList, IndexOutsideTheListReadsUntickedAndChangesNothing) {
  TCheckList list;
  list.Append("one");
  list.SetTick(0, true);
  list.Select(0);

  for (const int32_t index : {-2, -1, 1, 5}) {
    list.SetTick(index, false);
    list.SetTick(index, true);
    EXPECT_FALSE(list.IsTicked(index)) << index;
    EXPECT_EQ(list.Name(index), "") << index;
  }
  list.Select(1);
  list.Select(-2);
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_TRUE(list.IsTicked(0));
  list.Select(-1);
  EXPECT_EQ(list.Selected(), -1);
}

TEST(CheckList, FindIgnoresLatinAndCyrillicLetterCaseAndYieldsTheFirstMatch) {
  TCheckList list;
  list.Append("English");
  list.Append(Utf8ToCp1251("Русский"));
  list.Append(Utf8ToCp1251("РУССКИЙ"));
  EXPECT_EQ(list.Find("ENGLISH"), 0);
  EXPECT_EQ(list.Find(Utf8ToCp1251("рУССКИЙ")), 1);
  EXPECT_EQ(list.Find(Utf8ToCp1251("Русск")), -1);
  EXPECT_EQ(list.Find(""), -1);
  EXPECT_EQ(TCheckList().Find("x"), -1);
}

TEST(CheckList, GivesBackEveryNameExactlyHoweverLongAndWhateverItHolds) {
  const std::string names[] = {"", "a", std::string("n\0l", 3), std::string(300, 'x'), "", "B"};
  TCheckList list;
  list.Append("first");
  list.Reserve(6, 305);
  for (const std::string& name : names) list.Append(name);
  ASSERT_EQ(list.Count(), 7);
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(list.Name(i + 1), names[i]) << i;
    EXPECT_FALSE(list.IsTicked(i + 1)) << i;
  }
  EXPECT_EQ(list.Find(""), 1);  // the first empty name
  EXPECT_EQ(list.Find(std::string("N\0L", 3)), 3);
  EXPECT_EQ(list.Find("b"), 6);
  list.SetTick(5, true);
  EXPECT_TRUE(list.IsTicked(5));
  EXPECT_FALSE(list.IsTicked(4));
}
