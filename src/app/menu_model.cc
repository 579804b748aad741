#include "app/menu_model.h"

#include "app/application.h"

namespace dravelin {

const std::array<DropDownMenu, kDropDownMenuCount> kDropDownMenus = {{
    {"GeneralControl", "General Control"},
    {"CreateNameLists", "Create Name Lists"},
    {"CompareWithinDirectory", "Compare Within 'Compare' Directory"},
    {"CompareToBaseDirectory", "Compare To 'Base' Directory"},
    {"Help", "Help"},
}};

using A = Application;
using Id = MenuItemId;

const std::array<MenuItem, kMenuItemCount> kMenuItems = {{
    {0, Id::kReadInputFilesAgain, "ReadInputFilesAgain", "Read Input Sysex Files Again",
     &A::ReadInputFilesAgainClick},
    {0, Id::kControlScreenDisplay, "ControlScreenDisplay", "Turn Off Screen Display",
     &A::ControlScreenDisplayClick},
    {0, Id::kControlFileOutput, "ControlFileOutput", "Turn Off File Output",
     &A::ControlFileOutputClick},
    {1, Id::kCreatePatchNameFiles, "CreatePatchNameFiles", "Create Patch Name List Files",
     &A::CreatePatchNameFilesClick},
    {1, Id::kCreateInsFiles, "CreateInsFiles", "Create Instrument File Sections",
     &A::CreateInsFilesClick},
    {2, Id::kPrintAllSimilarities, "PrintAllSimilarities", "Print All Similarities",
     &A::PrintAllSimilaritiesClick},
    {2, Id::kPrintOnlyIdentities, "PrintOnlyIdentities", "Print Only Identities",
     &A::PrintOnlyIdentitiesClick},
    {3, Id::kPrintUniqueOnly, "PrintUniqueOnly", "Print Unique Patches Only",
     &A::PrintUniqueOnlyClick},
    {3, Id::kPrintIdenticalOnly, "PrintIdenticalOnly", "Print Identical Patches Only",
     &A::PrintIdenticalOnlyClick},
    {4, Id::kAboutDravelin, "AboutDravelin", "About Dravelin", &A::AboutDravelinClick},
    {4, Id::kBackgroundInfo, "BackgroundInfo", "What does the Dravelin Program Do?",
     &A::BackgroundInfoClick},
    {4, Id::kListReportInfo, "ListReportInfo", "How to Create Patch List Reports",
     &A::ListReportInfoClick},
    {4, Id::kComparisonReportInfo, "ComparisonReportInfo", "How to Create Comparison Reports",
     &A::ComparisonReportInfoClick},
    {4, Id::kInstallInfo, "InstallInfo", "How to Install this Program", &A::InstallInfoClick},
    {4, Id::kExecutionInfo, "ExecutionInfo", "How to Run this Program", &A::ExecutionInfoClick},
    {4, Id::kTutorialInfo, "TutorialInfo", "Tutorial or 'Quick Start' Information",
     &A::TutorialInfoClick},
    {4, Id::kEditInfo, "EditInfo", "How to Put New Patches into Your User Bank", &A::EditInfoClick},
    {4, Id::kHelpGenControl, "HelpGenControl", "Help on the Submenu - General Control",
     &A::HelpGenControlClick},
    {4, Id::kHelpCreateLists, "HelpCreateLists", "Help on the Submenu - Create Name Lists",
     &A::HelpCreateListsClick},
    {4, Id::kHelpCompareWithin, "HelpCompareWithin",
     "Help on the Submenu - Compare Within 'Compare' Directory", &A::HelpCompareWithinClick},
    {4, Id::kHelpCompareToBase, "HelpCompareToBase",
     "Help on the Submenu - Compare To 'Base' Directory", &A::HelpCompareToBaseClick},
}};

std::optional<MenuItemId> FindMenuItemByComponent(std::string_view name) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (const MenuItem& item : kMenuItems) {
    if (item.component.size() != name.size()) continue;
    bool equal = true;
    for (std::size_t i = 0; i < name.size() && equal; ++i) {
      equal = lower(item.component[i]) == lower(name[i]);
    }
    if (equal) return item.id;
  }
  return std::nullopt;
}

}  // namespace dravelin
