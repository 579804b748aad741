#include "app/menu_table.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

struct Choice {
  std::string_view caption;
  char mnemonic;
};

// Within the menu bar and within each drop-down, every entry can be chosen
// by a letter of its own caption that no other entry there uses, in either
// case.
TEST(MenuTableTest, MnemonicsAreLettersOfTheirCaptionsAndUniqueWithinTheirMenu) {
  std::vector<std::pair<std::string, std::vector<Choice>>> menus;
  menus.push_back({"menu bar", {}});
  for (const DropDownMenu& drop_down : kDropDownMenus) {
    menus.front().second.push_back({drop_down.caption, drop_down.mnemonic});
    menus.push_back({std::string(drop_down.component), {}});
  }
  for (const MenuItem& item : kMenuItems) {
    menus[1 + static_cast<std::size_t>(item.drop_down)].second.push_back(
        {item.caption, item.mnemonic});
  }
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (const auto& [menu, choices] : menus) {
    SCOPED_TRACE(menu);
    std::string used;
    for (const Choice& choice : choices) {
      EXPECT_TRUE((lower(choice.mnemonic) >= 'a' && lower(choice.mnemonic) <= 'z'))
          << choice.caption;
      EXPECT_NE(MnemonicIndex(choice.caption, choice.mnemonic), std::string_view::npos)
          << choice.caption;
      EXPECT_EQ(used.find(lower(choice.mnemonic)), std::string::npos)
          << "'" << choice.mnemonic << "' twice, again in " << choice.caption;
      used += lower(choice.mnemonic);
    }
  }
}

}  // namespace
}  // namespace dravelin
