// The program without its window: the two bank sets, the report channel, the
// status line, the menu items' states and every command handler.
//
// A front end implements WindowOperations, constructs an Application over it,
// calls LoadBankSets once (the start-up load), runs handlers through Click as
// the user picks menu items, and calls FormClose when it closes.

#ifndef DRAVELIN_APP_APPLICATION_H_
#define DRAVELIN_APP_APPLICATION_H_

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/menu_item_id.h"
#include "app/status_line.h"
#include "app/window_operations.h"
#include "banks/bank.h"
#include "report/bank_list_files.h"
#include "report/report_channel.h"
#include "report/report_file.h"

namespace dravelin {

inline constexpr std::string_view kApplicationTitle = "Dravelin";
inline constexpr std::string_view kMainWindowCaption =
    "Dravelin   ---   Patch Data Reporting Tool for Alesis QuadraSynth+ Sysex Files";

class Application {
 public:
  // Bank files are read from, and report files written to, the "Compare" and
  // "Base" directories below `working_dir`. `files` creates the report files.
  Application(WindowOperations& window, std::filesystem::path working_dir, ReportFileSystem& files);

  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Reads "Compare" and, when that gave patches, "Base" into the two sets
  // (which must be empty), enables the items that need them and shows the
  // outcome on the status line.
  void LoadBankSets();

  // Runs the handler of `item`, as a click of it does.
  void Click(MenuItemId item);

  // The state of a menu item as the menu shows it.
  bool item_enabled(MenuItemId item) const { return enabled_[IndexOf(item)]; }
  const std::string& item_caption(MenuItemId item) const { return captions_[IndexOf(item)]; }

  const BankSet& compare_set() const { return compare_set_; }
  const BankSet& base_set() const { return base_set_; }
  ReportChannel& channel() { return channel_; }
  const StatusLine& status_line() const { return status_; }

  // The click handlers, one per menu item.
  void ReadInputFilesAgainClick();
  void ControlScreenDisplayClick();
  void ControlFileOutputClick();
  void CreatePatchNameFilesClick();
  void CreateInsFilesClick();
  void PrintAllSimilaritiesClick();
  void PrintOnlyIdentitiesClick();
  void PrintUniqueOnlyClick();
  void PrintIdenticalOnlyClick();
  void AboutDravelinClick();
  void BackgroundInfoClick();
  void ListReportInfoClick();
  void ComparisonReportInfoClick();
  void InstallInfoClick();
  void ExecutionInfoClick();
  void TutorialInfoClick();
  void EditInfoClick();
  void HelpGenControlClick();
  void HelpCreateListsClick();
  void HelpCompareWithinClick();
  void HelpCompareToBaseClick();

  // The window is closing: releases both sets, the Base set first.
  void FormClose();

 private:
  void SetItemEnabled(MenuItemId item, bool enabled);
  void SetItemCaption(MenuItemId item, std::string_view caption);
  void ShowHelpTopic(int topic);
  // Writes one listing file per Compare bank, with the command's texts.
  void CreateListingFiles(ListingKind kind, std::string_view started, std::string_view finished);

  WindowOperations& window_;
  std::filesystem::path working_dir_;
  StatusLine status_;
  ReportChannel channel_;
  BankSet compare_set_;
  BankSet base_set_;
  std::array<bool, kMenuItemCount> enabled_;
  std::array<std::string, kMenuItemCount> captions_;
};

}  // namespace dravelin

#endif  // DRAVELIN_APP_APPLICATION_H_
