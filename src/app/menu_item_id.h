// The command items of the menu bar, in menu order.

#ifndef DRAVELIN_APP_MENU_ITEM_ID_H_
#define DRAVELIN_APP_MENU_ITEM_ID_H_

#include <cstddef>

namespace dravelin {

enum class MenuItemId : int {
  kReadInputFilesAgain,
  kControlScreenDisplay,
  kControlFileOutput,
  kCreatePatchNameFiles,
  kCreateInsFiles,
  kPrintAllSimilarities,
  kPrintOnlyIdentities,
  kPrintUniqueOnly,
  kPrintIdenticalOnly,
  kAboutDravelin,
  kBackgroundInfo,
  kListReportInfo,
  kComparisonReportInfo,
  kInstallInfo,
  kExecutionInfo,
  kTutorialInfo,
  kEditInfo,
  kHelpGenControl,
  kHelpCreateLists,
  kHelpCompareWithin,
  kHelpCompareToBase,
};

inline constexpr std::size_t kMenuItemCount = 21;

inline constexpr std::size_t IndexOf(MenuItemId item) { return static_cast<std::size_t>(item); }

}  // namespace dravelin

#endif  // DRAVELIN_APP_MENU_ITEM_ID_H_
