#include <gtest/gtest.h>

#include "model/model.h"

TEST(CheckList, KeepsEntriesInOrderUntickedAndUnselected) {
  TCheckList list;
  list.Append("one", "c");
  list.Append("two", "c");
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
  list.Append("one", "c");
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
  list.Append("English", "c");
  list.Append(Utf8ToCp1251("Русский"), "c");
  list.Append(Utf8ToCp1251("РУССКИЙ"), "c");
  EXPECT_EQ(list.Find("ENGLISH"), 0);
  EXPECT_EQ(list.Find(Utf8ToCp1251("рУССКИЙ")), 1);
  EXPECT_EQ(list.Find(Utf8ToCp1251("Русск")), -1);
  EXPECT_EQ(list.Find(""), -1);
  EXPECT_EQ(TCheckList().Find("x"), -1);
}

TEST(CheckList, GivesBackEveryNameExactlyHoweverLongAndWhateverItHolds) {
  const std::string names[] = {"", "a", std::string("n\0l", 3), std::string(300, 'x'), "", "B"};
  TCheckList list;
  list.Append("first", "c");
  list.Reserve(6, 305, 311);
  for (const std::string& name : names) list.Append(name, name + "=");
  ASSERT_EQ(list.Count(), 7);
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(list.Name(i + 1), names[i]) << i;
    EXPECT_EQ(list.Code(i + 1), names[i] + "=") << i;
    EXPECT_FALSE(list.IsTicked(i + 1)) << i;
  }
  EXPECT_EQ(list.Find(""), 1);  // the first empty name
  EXPECT_EQ(list.Find(std::string("N\0L", 3)), 3);
  EXPECT_EQ(list.Find("b"), 6);
  list.SetTick(5, true);
  EXPECT_TRUE(list.IsTicked(5));
  EXPECT_FALSE(list.IsTicked(4));
}

// A newly ticked entry follows the ticked entry nearest before it in the list (or
// comes first); Place moves an entry anywhere; the final entry stays out of the order.
TEST(CheckList, TicksKeepAnOrderOfTheirOwn) {
  TCheckList list;
  for (const char* name : {"a", "b", "c", "d", "e"}) list.Append(name, name);
  const auto order = [&list] {
    std::string text;
    for (const int32_t index : list.Order()) text += list.Name(index);
    return text;
  };
  list.SetTick(3, true);
  list.SetTick(1, true);
  EXPECT_EQ(order(), "bd");
  list.Place(3, 0);
  EXPECT_EQ(order(), "db");
  list.SetTick(2, true);  // after b, the nearest ticked entry before it
  list.SetTick(4, true);  // after d
  list.SetTick(4, true);  // already ticked: stays
  EXPECT_EQ(order(), "debc");
  list.SetTick(1, false);
  list.SetTick(0, true);  // none before it: first
  list.Place(2, 99);      // beyond the end: last
  EXPECT_EQ(order(), "adec");
  EXPECT_EQ(list.Position(4), 2);
  EXPECT_EQ(list.Position(1), -1);

  list.SetFinal(4);
  EXPECT_EQ(order(), "adc");
  EXPECT_TRUE(list.IsTicked(4));
  EXPECT_EQ(list.Position(4), -1);
  list.Place(4, 0);
  list.SetTick(4, false);
  list.SetTick(4, true);
  EXPECT_EQ(order(), "adc");
  list.Clear();
  EXPECT_EQ(list.Final(), -1);
  EXPECT_TRUE(list.Order().empty());
}
