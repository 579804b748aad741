#include "app/menu_model.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"

namespace dravelin {
namespace {

TEST(MenuModelTest, ItemsStandInMenuOrderUnderTheirDropDowns) {
  const char* const expected[][3] = {
      {"General Control", "ReadInputFilesAgain", "Read Input Sysex Files Again"},
      {"General Control", "ControlScreenDisplay", "Turn Off Screen Display"},
      {"General Control", "ControlFileOutput", "Turn Off File Output"},
      {"Create Name Lists", "CreatePatchNameFiles", "Create Patch Name List Files"},
      {"Create Name Lists", "CreateInsFiles", "Create Instrument File Sections"},
      {"Compare Within 'Compare' Directory", "PrintAllSimilarities", "Print All Similarities"},
      {"Compare Within 'Compare' Directory", "PrintOnlyIdentities", "Print Only Identities"},
      {"Compare To 'Base' Directory", "PrintUniqueOnly", "Print Unique Patches Only"},
      {"Compare To 'Base' Directory", "PrintIdenticalOnly", "Print Identical Patches Only"},
      {"Help", "AboutDravelin", "About Dravelin"},
      {"Help", "BackgroundInfo", "What does the Dravelin Program Do?"},
      {"Help", "ListReportInfo", "How to Create Patch List Reports"},
      {"Help", "ComparisonReportInfo", "How to Create Comparison Reports"},
      {"Help", "InstallInfo", "How to Install this Program"},
      {"Help", "ExecutionInfo", "How to Run this Program"},
      {"Help", "TutorialInfo", "Tutorial or 'Quick Start' Information"},
      {"Help", "EditInfo", "How to Put New Patches into Your User Bank"},
      {"Help", "HelpGenControl", "Help on the Submenu - General Control"},
      {"Help", "HelpCreateLists", "Help on the Submenu - Create Name Lists"},
      {"Help", "HelpCompareWithin", "Help on the Submenu - Compare Within 'Compare' Directory"},
      {"Help", "HelpCompareToBase", "Help on the Submenu - Compare To 'Base' Directory"},
  };
  ASSERT_EQ(std::size(expected), kMenuItems.size());
  std::vector<void (Application::*)()> handlers;
  for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
    const MenuItem& item = kMenuItems[i];
    EXPECT_EQ(IndexOf(item.id), i);
    EXPECT_EQ(kDropDownMenus[item.drop_down].caption, expected[i][0]);
    EXPECT_EQ(item.component, expected[i][1]);
    EXPECT_EQ(item.caption, expected[i][2]);
    for (auto other : handlers)
      EXPECT_NE(other, item.handler) << item.component << " shares a handler";
    handlers.push_back(item.handler);
  }
}

TEST(MenuModelTest, ComponentLookupIgnoresCaseOnly) {
  EXPECT_EQ(FindMenuItemByComponent("PrintAllSimilarities"), MenuItemId::kPrintAllSimilarities);
  EXPECT_EQ(FindMenuItemByComponent("printallsimilarities"), MenuItemId::kPrintAllSimilarities);
  EXPECT_EQ(FindMenuItemByComponent("HELPCOMPARETOBASE"), MenuItemId::kHelpCompareToBase);
  EXPECT_EQ(FindMenuItemByComponent("PrintAllSimilarity"), std::nullopt);
  EXPECT_EQ(FindMenuItemByComponent("Help"), std::nullopt);  // a drop-down, not an item
  EXPECT_EQ(FindMenuItemByComponent(""), std::nullopt);
}

}  // namespace
}  // namespace dravelin
