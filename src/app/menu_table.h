// The menu bar as one table: every drop-down menu and every command item in
// menu order, with its component name, start caption, what it needs to be
// enabled and what a click of it runs. Both front ends build their menus
// from it, the Application keeps the items' states by it, and the batch
// program resolves commands through it.
//
// A new item is one row here plus its handler (declared above the table and
// defined in the file of its drop-down); a help item is one row alone. The
// checks at the end of this file fail the build when the table is out of
// order or inconsistent.

#ifndef DRAVELIN_APP_MENU_TABLE_H_
#define DRAVELIN_APP_MENU_TABLE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/help_topics.h"
#include "app/menu_item_id.h"

namespace dravelin {

// The drop-down menus, in menu-bar order.
enum class DropDown : std::uint8_t {
  kGeneralControl,
  kCreateNameLists,
  kCompareWithinDirectory,
  kCompareToBaseDirectory,
  kHelp,
};

// A mnemonic is the letter that chooses a drop-down menu (with Alt) or an
// item of an open menu (alone) from the keyboard, written as it stands in
// the caption: the window marks its first occurrence there. Captions
// themselves carry no mark, since the batch program lists and matches them
// as the menu shows them.
struct DropDownMenu {
  DropDown id;
  std::string_view component;
  std::string_view caption;
  char mnemonic;
};

inline constexpr auto kDropDownMenus = std::to_array<DropDownMenu>({
    {DropDown::kGeneralControl, "GeneralControl", "General Control", 'G'},
    {DropDown::kCreateNameLists, "CreateNameLists", "Create Name Lists", 'C'},
    {DropDown::kCompareWithinDirectory, "CompareWithinDirectory",
     "Compare Within 'Compare' Directory", 'W'},
    {DropDown::kCompareToBaseDirectory, "CompareToBaseDirectory", "Compare To 'Base' Directory",
     'B'},
    {DropDown::kHelp, "Help", "Help", 'H'},
});

// Where the window marks `mnemonic` in `caption`, or npos when the caption
// lacks it.
constexpr std::size_t MnemonicIndex(std::string_view caption, char mnemonic) {
  return caption.find(mnemonic);
}

inline constexpr const DropDownMenu& DropDownOf(DropDown id) {
  return kDropDownMenus[static_cast<std::size_t>(id)];
}

class Application;

// The click handlers that menu items run, each defined in the file of its
// drop-down menu (general_commands.cc, listing_commands.cc,
// sequencer_commands.cc, compare_commands.cc, help_commands.cc).
void ReadInputFilesAgainClick(Application& app);
void ControlScreenDisplayClick(Application& app);
void ControlFileOutputClick(Application& app);
void CreatePatchNameFilesClick(Application& app);
void CreateInsFilesClick(Application& app);
void CreateInsDefinitionFileClick(Application& app);
void CreateMidnamFileClick(Application& app);
void CreateReabankFileClick(Application& app);
void PrintAllSimilaritiesClick(Application& app);
void PrintOnlyIdentitiesClick(Application& app);
void PrintUniqueOnlyClick(Application& app);
void PrintIdenticalOnlyClick(Application& app);
void CreatePatchCatalogueClick(Application& app);
void PrintSoundGroupsClick(Application& app);
void PrintBanksWorthKeepingClick(Application& app);
void BuildNewSoundBanksClick(Application& app);
void PrintNearTwinsClick(Application& app);
void ShowPatchDetailsClick(Application& app);
void AboutDravelinClick(Application& app);

// What an item needs to be enabled: every load of the bank sets enables the
// items whose sets it read with patches and disables the others.
enum class ItemNeeds : std::uint8_t { kNothing, kCompareSet, kBothSets };

using ClickHandler = void (*)(Application&);

struct MenuItem {
  DropDown drop_down;
  std::string_view component;
  std::string_view caption;  // the caption at start
  char mnemonic;             // in this caption and in every caption it changes to
  ItemNeeds needs;
  // What a click runs: for a help item (help_topic from 1) that help topic,
  // for any other item (help_topic 0) the handler.
  ClickHandler handler;
  int help_topic;
  // The item's command writes the keyboard's patch names for a sequencer:
  // before a click, front ends ask which keyboard bank each Compare bank
  // stands for (Application::OfferAssignment, ConfirmAssignment).
  bool asks_assignment = false;
  // Where a front end hands over more than one report file at once (the
  // page's downloads): the name of the one .zip archive that holds the
  // files a click writes. Empty: each file is handed over alone.
  std::string_view archive;
  // The item's command reads the bank folders afresh: a front end that
  // holds copies of the folders' files (the page) takes them anew first.
  bool reads_folders = false;
  // The key that clicks the item in the window and the page, as Qt and the
  // page name it ("F2"); empty for none.
  std::string_view shortcut = {};
};

namespace menu_row {

constexpr MenuItem Command(DropDown drop_down, std::string_view component, std::string_view caption,
                           char mnemonic, ItemNeeds needs, ClickHandler handler,
                           std::string_view archive = {}, std::string_view shortcut = {}) {
  return {drop_down, component, caption, mnemonic, needs, handler, 0, false, archive, false,
          shortcut};
}

// A command that reads the bank folders afresh.
constexpr MenuItem FolderCommand(DropDown drop_down, std::string_view component,
                                 std::string_view caption, char mnemonic, ClickHandler handler) {
  return {drop_down, component, caption, mnemonic, ItemNeeds::kNothing, handler, 0, false, {},
          true};
}

// A command that asks for the keyboard banks first: an item of "Create Name
// Lists" that needs the Compare set.
constexpr MenuItem SequencerCommand(std::string_view component, std::string_view caption,
                                    char mnemonic, ClickHandler handler) {
  return {DropDown::kCreateNameLists, component, caption, mnemonic, ItemNeeds::kCompareSet,
          handler, 0, true, {}};
}

constexpr MenuItem HelpItem(std::string_view component, std::string_view caption, char mnemonic,
                            int topic) {
  return {DropDown::kHelp, component, caption, mnemonic, ItemNeeds::kNothing, nullptr, topic, false,
          {}};
}

}  // namespace menu_row

// In menu order.
inline constexpr auto kMenuItems = [] {
  using D = DropDown;
  using N = ItemNeeds;
  using menu_row::Command;
  using menu_row::FolderCommand;
  using menu_row::HelpItem;
  using menu_row::SequencerCommand;
  return std::to_array<MenuItem>({
      FolderCommand(D::kGeneralControl, "ReadInputFilesAgain", "Read Input Sysex Files Again", 'R',
                    &ReadInputFilesAgainClick),
      Command(D::kGeneralControl, "ControlScreenDisplay", "Turn Off Screen Display", 'S',
              N::kNothing, &ControlScreenDisplayClick),
      Command(D::kGeneralControl, "ControlFileOutput", "Turn Off File Output", 'F', N::kNothing,
              &ControlFileOutputClick),
      Command(D::kCreateNameLists, "CreatePatchNameFiles", "Create Patch Name List Files", 'P',
              N::kCompareSet, &CreatePatchNameFilesClick, "patch-name-lists.zip"),
      Command(D::kCreateNameLists, "CreateInsFiles", "Create Instrument File Sections", 'I',
              N::kCompareSet, &CreateInsFilesClick, "instrument-file-sections.zip"),
      Command(D::kCreateNameLists, "CreatePatchCatalogue", "Create Patch Catalogue", 'C',
              N::kCompareSet, &CreatePatchCatalogueClick),
      SequencerCommand("CreateInsDefinitionFile", "Create Instrument Definition File", 'D',
                       &CreateInsDefinitionFileClick),
      SequencerCommand("CreateMidnamFile", "Create MIDNAM File", 'M', &CreateMidnamFileClick),
      SequencerCommand("CreateReabankFile", "Create REAPER Bank File", 'R',
                       &CreateReabankFileClick),
      Command(D::kCompareWithinDirectory, "PrintAllSimilarities", "Print All Similarities", 'A',
              N::kCompareSet, &PrintAllSimilaritiesClick),
      Command(D::kCompareWithinDirectory, "PrintOnlyIdentities", "Print Only Identities", 'I',
              N::kCompareSet, &PrintOnlyIdentitiesClick),
      Command(D::kCompareWithinDirectory, "PrintSoundGroups", "Print Sound Groups", 'G',
              N::kCompareSet, &PrintSoundGroupsClick),
      Command(D::kCompareWithinDirectory, "PrintBanksWorthKeeping", "Print Banks Worth Keeping",
              'K', N::kCompareSet, &PrintBanksWorthKeepingClick),
      Command(D::kCompareWithinDirectory, "BuildNewSoundBanks", "Build Banks of New Sounds", 'B',
              N::kCompareSet, &BuildNewSoundBanksClick, "new-banks.zip"),
      Command(D::kCompareWithinDirectory, "PrintNearTwins", "Print Near Twins", 'N',
              N::kCompareSet, &PrintNearTwinsClick),
      Command(D::kCompareWithinDirectory, "ShowPatchDetails", "Show Patch Details", 'D',
              N::kCompareSet, &ShowPatchDetailsClick, {}, "F2"),
      Command(D::kCompareToBaseDirectory, "PrintUniqueOnly", "Print Unique Patches Only", 'U',
              N::kBothSets, &PrintUniqueOnlyClick),
      Command(D::kCompareToBaseDirectory, "PrintIdenticalOnly", "Print Identical Patches Only", 'I',
              N::kBothSets, &PrintIdenticalOnlyClick),
      Command(D::kHelp, "AboutDravelin", "About Dravelin", 'A', N::kNothing, &AboutDravelinClick),
      HelpItem("BackgroundInfo", "What does the Dravelin Program Do?", 'W', 1),
      HelpItem("ListReportInfo", "How to Create Patch List Reports", 'P', 2),
      HelpItem("ComparisonReportInfo", "How to Create Comparison Reports", 'R', 3),
      HelpItem("InstallInfo", "How to Install this Program", 'I', 4),
      HelpItem("ExecutionInfo", "How to Run this Program", 'u', 5),
      HelpItem("TutorialInfo", "Tutorial or 'Quick Start' Information", 'T', 6),
      HelpItem("EditInfo", "How to Put New Patches into Your User Bank", 'N', 7),
      HelpItem("HelpGenControl", "Help on the Submenu - General Control", 'G', 8),
      HelpItem("HelpCreateLists", "Help on the Submenu - Create Name Lists", 'L', 9),
      HelpItem("HelpCompareWithin", "Help on the Submenu - Compare Within 'Compare' Directory", 'C',
               10),
      HelpItem("HelpCompareToBase", "Help on the Submenu - Compare To 'Base' Directory", 'B', 11),
      HelpItem("HelpCollection", "Help on Sound Groups, Banks Worth Keeping and the Catalogue", 'S',
               12),
      HelpItem("HelpSequencerFiles", "Patch Names for Your Sequencer", 'Y', 13),
      HelpItem("HelpNewSoundBanks", "Help on Building Banks of New Sounds", 'k', 14),
      HelpItem("HelpNearTwins", "Help on Near Twins and Patch Details", 'D', 15),
  });
}();

inline constexpr std::size_t kMenuItemCount = kMenuItems.size();

inline constexpr const MenuItem& MenuItemOf(MenuItemId id) { return kMenuItems[IndexOf(id)]; }

// Every item's id, in menu order, for range-for loops.
inline constexpr auto kMenuItemIds = [] {
  std::array<MenuItemId, kMenuItemCount> ids{};
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = MenuItemId{static_cast<std::uint8_t>(i)};
  return ids;
}();

// Not constexpr: naming an item that the table lacks fails the build.
void NoMenuItemHasThisComponentName();

consteval MenuItemId ItemNamed(std::string_view component) {
  for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
    if (kMenuItems[i].component == component) return MenuItemId{static_cast<std::uint8_t>(i)};
  }
  NoMenuItemHasThisComponentName();
  return MenuItemId{0};
}

// The item whose component name equals `name`, ignoring ASCII case.
std::optional<MenuItemId> FindMenuItemByComponent(std::string_view name);

// Named items, for the code that refers to one item in particular.
namespace menu {
inline constexpr MenuItemId kReadInputFilesAgain = ItemNamed("ReadInputFilesAgain");
inline constexpr MenuItemId kControlScreenDisplay = ItemNamed("ControlScreenDisplay");
inline constexpr MenuItemId kControlFileOutput = ItemNamed("ControlFileOutput");
inline constexpr MenuItemId kCreatePatchNameFiles = ItemNamed("CreatePatchNameFiles");
inline constexpr MenuItemId kCreateInsFiles = ItemNamed("CreateInsFiles");
inline constexpr MenuItemId kCreatePatchCatalogue = ItemNamed("CreatePatchCatalogue");
inline constexpr MenuItemId kCreateInsDefinitionFile = ItemNamed("CreateInsDefinitionFile");
inline constexpr MenuItemId kCreateMidnamFile = ItemNamed("CreateMidnamFile");
inline constexpr MenuItemId kCreateReabankFile = ItemNamed("CreateReabankFile");
inline constexpr MenuItemId kPrintAllSimilarities = ItemNamed("PrintAllSimilarities");
inline constexpr MenuItemId kPrintOnlyIdentities = ItemNamed("PrintOnlyIdentities");
inline constexpr MenuItemId kPrintSoundGroups = ItemNamed("PrintSoundGroups");
inline constexpr MenuItemId kPrintBanksWorthKeeping = ItemNamed("PrintBanksWorthKeeping");
inline constexpr MenuItemId kBuildNewSoundBanks = ItemNamed("BuildNewSoundBanks");
inline constexpr MenuItemId kPrintNearTwins = ItemNamed("PrintNearTwins");
inline constexpr MenuItemId kShowPatchDetails = ItemNamed("ShowPatchDetails");
inline constexpr MenuItemId kPrintUniqueOnly = ItemNamed("PrintUniqueOnly");
inline constexpr MenuItemId kPrintIdenticalOnly = ItemNamed("PrintIdenticalOnly");
inline constexpr MenuItemId kAboutDravelin = ItemNamed("AboutDravelin");
inline constexpr MenuItemId kBackgroundInfo = ItemNamed("BackgroundInfo");
inline constexpr MenuItemId kListReportInfo = ItemNamed("ListReportInfo");
inline constexpr MenuItemId kComparisonReportInfo = ItemNamed("ComparisonReportInfo");
inline constexpr MenuItemId kInstallInfo = ItemNamed("InstallInfo");
inline constexpr MenuItemId kExecutionInfo = ItemNamed("ExecutionInfo");
inline constexpr MenuItemId kTutorialInfo = ItemNamed("TutorialInfo");
inline constexpr MenuItemId kEditInfo = ItemNamed("EditInfo");
inline constexpr MenuItemId kHelpGenControl = ItemNamed("HelpGenControl");
inline constexpr MenuItemId kHelpCreateLists = ItemNamed("HelpCreateLists");
inline constexpr MenuItemId kHelpCompareWithin = ItemNamed("HelpCompareWithin");
inline constexpr MenuItemId kHelpCompareToBase = ItemNamed("HelpCompareToBase");
inline constexpr MenuItemId kHelpCollection = ItemNamed("HelpCollection");
inline constexpr MenuItemId kHelpSequencerFiles = ItemNamed("HelpSequencerFiles");
inline constexpr MenuItemId kHelpNewSoundBanks = ItemNamed("HelpNewSoundBanks");
inline constexpr MenuItemId kHelpNearTwins = ItemNamed("HelpNearTwins");
}  // namespace menu

// The table's own consistency, checked when it is compiled.
namespace menu_checks {

// Items stand grouped under their drop-downs, in menu-bar order, and every
// drop-down has at least one item.
constexpr bool ItemsFollowTheDropDowns() {
  for (std::size_t i = 0; i < kDropDownMenus.size(); ++i) {
    if (kDropDownMenus[i].id != static_cast<DropDown>(i)) return false;
  }
  std::size_t current = 0;
  for (const MenuItem& item : kMenuItems) {
    const auto drop_down = static_cast<std::size_t>(item.drop_down);
    if (drop_down == current + 1) current = drop_down;
    if (drop_down != current) return false;
  }
  return kMenuItems.front().drop_down == DropDown::kGeneralControl &&
         current + 1 == kDropDownMenus.size();
}

// Component names are unique and no two items show the same help topic.
// (Handlers are not compared here: the address of a function is not a
// constant that every build, sanitized ones included, can compare.)
constexpr bool EveryItemIsItsOwn() {
  for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
    const MenuItem& a = kMenuItems[i];
    if (a.help_topic < 0 || a.help_topic > kHelpTopicCount) return false;
    if (a.component.empty() || a.caption.empty()) return false;
    for (std::size_t j = i + 1; j < kMenuItems.size(); ++j) {
      const MenuItem& b = kMenuItems[j];
      if (a.component == b.component) return false;
      if (a.help_topic != 0 && a.help_topic == b.help_topic) return false;
    }
  }
  return true;
}

// Every help topic has its item.
constexpr bool EveryHelpTopicHasAnItem() {
  int topics = 0;
  for (const MenuItem& item : kMenuItems) topics += item.help_topic != 0 ? 1 : 0;
  return topics == kHelpTopicCount;
}

static_assert(kMenuItems.size() <= 255, "MenuItemId holds an 8-bit index");
static_assert(ItemsFollowTheDropDowns(), "menu items out of drop-down order");
static_assert(EveryItemIsItsOwn(), "two menu items share a name or a help topic");
static_assert(EveryHelpTopicHasAnItem(), "a help topic without its menu item");

}  // namespace menu_checks

}  // namespace dravelin

#endif  // DRAVELIN_APP_MENU_TABLE_H_
