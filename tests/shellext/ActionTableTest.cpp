#include <gtest/gtest.h>

#include "shellext/com/ActionTable.h"

// The features' tables and the object's own rows together: every command at most once, and every row
// runs something.
TEST(ActionTable, EachCommandHasOneRowThatRunsSomething) {
  EXPECT_EQ(DuplicateActionRows(), 0u);
  EXPECT_FALSE(ActionFor(cmd::Separator));
  EXPECT_FALSE(ActionFor(kCommandCount));
  for (CommandId command = 1; command < kCommandCount; ++command) {
    const ActionRow& row = ActionFor(command);
    if (!row) continue;
    SCOPED_TRACE(command);
    if (row.feature) {
      EXPECT_EQ(row.feature->command, command);
      EXPECT_TRUE(row.feature->dialog || row.feature->direct || row.feature->immediate);
      EXPECT_FALSE(row.feature->direct && row.feature->immediate);
    }
  }
}
