#include <gtest/gtest.h>

#include "inifile/inifile.h"
#include "inifile/textparts_p.h"

namespace {

TStringList Make(std::initializer_list<const char*> texts) {
  TStringList list;
  for (const char* t : texts) list.Add(t);
  return list;
}

std::vector<std::string> Texts(const TStringList& list) {
  std::vector<std::string> result;
  result.reserve(static_cast<size_t>(list.Count()));
  for (int32_t i = 0; i < list.Count(); ++i) result.push_back(list[i]);
  return result;
}

TEST(StringList, SearchSortAndCopyIgnoreCase) {
  TStringList list = Make({"beta", "Alpha", "\xDF\xE1\xEB\xEE\xEA\xEE", "alpha", "Gamma"});
  EXPECT_EQ(list.IndexOf("ALPHA"), 1);
  EXPECT_EQ(list.IndexOf("\xFF\xC1\xCB\xCE\xCA\xCE"), 2);  // "ЯБЛОКО" finds "Яблоко"
  EXPECT_EQ(list.IndexOf("delta"), -1);
  list.Sort();
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"Alpha", "alpha", "beta", "Gamma",
                                                   "\xDF\xE1\xEB\xEE\xEA\xEE"}));
  TStringList copy;
  copy.Add("old");
  copy.Assign(list);
  EXPECT_EQ(Texts(copy), Texts(list));
}

// An entry's object stays with it, also when the entry is the list's first.
TEST(StringList, ObjectsStayWithTheirEntries) {
  TStringList a, b, c;
  TStringList list;
  list.AddObject("a", &a);
  list.Add("none");
  list.Insert(1, "c", &c);
  TStringList inserted;
  inserted.Insert(0, "b", &b);
  EXPECT_EQ(list.Objects(0), &a);
  EXPECT_EQ(list.Objects(1), &c);
  EXPECT_EQ(list.Objects(2), nullptr);
  EXPECT_EQ(inserted.Objects(0), &b);
  list.Delete(0);
  EXPECT_EQ(list.Objects(0), &c);
}

TEST(StringList, IndexOfNameMatchesTheTextBeforeTheFirstEquals) {
  TStringList list = Make({"Key", "other=1", "=empty", "Key=2=3", "key=4"});
  EXPECT_EQ(list.IndexOfName("KEY"), 3);  // a line without "=" never matches
  EXPECT_EQ(list.IndexOfName(""), 2);
  EXPECT_EQ(list.IndexOfName("Key=2"), -1);
  EXPECT_EQ(list.IndexOfName("oth"), -1);
}

TEST(TextParts, SplitAtTheFirstOccurrence) {
  EXPECT_EQ(TextBefore("abc", '='), "abc");
  EXPECT_EQ(TextAfter("abc", '='), "");
  EXPECT_EQ(TextAfter("a=b=d", '='), "b=d");
  EXPECT_EQ(TextBefore("a=b=d", '='), "a");
  EXPECT_EQ(NamePart("plain"), "plain");
  EXPECT_EQ(ValuePart("plain"), "");
  EXPECT_EQ(NamePart("=v"), "");
  EXPECT_EQ(ValuePart("k="), "");
  EXPECT_EQ(RemoveChar("\na\nb\n\n", '\n'), "ab");
}

TEST(TextParts, SetNameValueReplacesTheFirstMatchInPlaceOrAppends) {
  TStringList list = Make({"Key", "Key=1", "x=2", "KEY=3"});
  SetNameValue(list, "KEY", "new");
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"Key", "KEY=new", "x=2", "KEY=3"}));
  SetNameValue(list, "y", "");
  EXPECT_EQ(list[4], "y=");
}

}  // namespace
