#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/model.h"
#include "model/savedstate.h"
#include "model/savedvariables.h"

namespace {

// What Save would write of the rows, by the items of the whole project.
TSavedItems Written(const std::vector<TVariableRow>& rows) {
  TProject project;
  project.Variables = rows;
  return SavedItems(project);
}

TVariableRow RandomRow(std::mt19937& random) {
  // Few texts, so that edits often come back to what was saved.
  static const char* const kNames[] = {"", "", "A", "B"};
  static const char* const kValues[] = {"", "1"};
  return {kNames[random() % 4], kValues[random() % 2]};
}

}  // namespace

// Random edits, inserts, erases and saves: the followed answer is always the one
// of comparing what Save writes; an edit of one row that keeps it named or
// unnamed compares that row alone, and an unnamed row inserted or erased none.
TEST(SavedVariables, FollowsEveryChangeAndComparesOnlyTheChangedRow) {
  std::mt19937 random(7);
  std::vector<TVariableRow> rows(5);
  for (TVariableRow& row : rows) row = RandomRow(random);
  TSavedVariables saved;
  saved.MarkSaved(rows);
  TSavedItems written = Written(rows);
  int inPlace = 0;
  for (int step = 0; step < 5000; ++step) {
    SCOPED_TRACE(testing::Message() << "step " << step);
    const size_t index = random() % (rows.size() + 1);
    const int kind = static_cast<int>(random() % 10);
    if (kind < 7 && index < rows.size()) {
      const bool named = !rows[index].Name.empty();
      rows[index] = RandomRow(random);
      const uint64_t before = saved.Comparisons();
      saved.RowChanged(rows, index);
      if (named == !rows[index].Name.empty()) {
        ASSERT_LE(saved.Comparisons() - before, 1U);
        ++inPlace;
      }
    } else if (kind < 8 && index < rows.size() && rows.size() > 1) {
      const bool named = !rows[index].Name.empty();
      rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
      const uint64_t before = saved.Comparisons();
      saved.RowErased(rows, index);
      ASSERT_TRUE(named || saved.Comparisons() == before);
    } else if (kind < 9 && rows.size() < 12) {
      rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), RandomRow(random));
      const uint64_t before = saved.Comparisons();
      saved.RowInserted(rows, index);
      ASSERT_TRUE(!rows[index].Name.empty() || saved.Comparisons() == before);
    } else {
      saved.MarkSaved(rows);
      written = Written(rows);
    }
    const bool differs = Written(rows) != written;
    ASSERT_EQ(saved.Differs(), differs);
    ASSERT_EQ(saved.DiffersFrom(rows), differs);
    ASSERT_EQ(saved.Rows(), rows.size());
  }
  EXPECT_GT(inPlace, 1000);
}
