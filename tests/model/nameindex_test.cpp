#include "model/nameindex.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "inifile/inifile.h"

// Random names over a few letters in both cases (Latin and Cyrillic) and a
// byte that has no case, against a set of the folded names: every insertion
// and lookup agrees, through several growths of the table.
TEST(NameIndex, AgreesWithASetOfFoldedNames) {
  const std::string letters = "aAbB\xE0\xC0\xB8\xA8_";
  std::mt19937 random(7);
  std::vector<std::string> names;
  TNameIndex index([&names](size_t position) -> std::string_view { return names[position]; });
  std::set<std::string> reference;
  for (int i = 0; i < 20000; ++i) {
    std::string name(random() % 6, ' ');
    for (char& c : name) c = letters[random() % letters.size()];
    names.push_back(name);  // may move every name: the index keeps positions only
    const bool fresh = reference.insert(FoldedText(name)).second;
    ASSERT_EQ(index.Insert(names.size() - 1), fresh) << name;
    std::string other(random() % 6, ' ');
    for (char& c : other) c = letters[random() % letters.size()];
    ASSERT_EQ(index.Contains(other), reference.count(FoldedText(other)) != 0) << other;
  }
}
