#include "app/menu_table.h"

#include "gtest/gtest.h"

namespace dravelin {
namespace {

TEST(MenuTableTest, ComponentLookupIgnoresCaseOnly) {
  EXPECT_EQ(FindMenuItemByComponent("PrintAllSimilarities"), menu::kPrintAllSimilarities);
  EXPECT_EQ(FindMenuItemByComponent("printallsimilarities"), menu::kPrintAllSimilarities);
  EXPECT_EQ(FindMenuItemByComponent("HELPCOMPARETOBASE"), menu::kHelpCompareToBase);
  EXPECT_EQ(FindMenuItemByComponent("PrintAllSimilarity"), std::nullopt);
  EXPECT_EQ(FindMenuItemByComponent("Help"), std::nullopt);  // a drop-down, not an item
  EXPECT_EQ(FindMenuItemByComponent(""), std::nullopt);
}

}  // namespace
}  // namespace dravelin
