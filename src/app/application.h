// The program without its window: the two bank sets, the report channel, the
// status line, the menu items' states and every command handler.
//
// A front end implements WindowOperations, constructs an Application over it,
// calls LoadBankSets once (the start-up load), runs handlers through Click as
// the user picks menu items, and calls FormClose when it closes. The
// Application alone keeps the menu items' captions and enabled states; it
// tells the window of every change (WindowOperations::MenuItemChanged).

#ifndef DRAVELIN_APP_APPLICATION_H_
#define DRAVELIN_APP_APPLICATION_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

  // Runs what a click of `item` runs: its handler, or its help topic.
  void Click(MenuItemId item);

  // The state of a menu item as the menu shows it.
  bool item_enabled(MenuItemId item) const { return items_[IndexOf(item)].enabled; }
  const std::string& item_caption(MenuItemId item) const { return items_[IndexOf(item)].caption; }

  const BankSet& compare_set() const { return compare_set_; }
  const BankSet& base_set() const { return base_set_; }
  ReportChannel& channel() { return channel_; }
  const StatusLine& status_line() const { return status_; }

  // The click handlers of the items that are not help topics.
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

  // The window is closing: releases both sets, the Base set first.
  void FormClose();

 private:
  struct ItemState {
    std::string caption;
    bool enabled = true;
  };

  void SetItemEnabled(MenuItemId item, bool enabled);
  void SetItemCaption(MenuItemId item, std::string_view caption);
  // Enables the items whose needs the loaded sets meet and disables the rest
  // of those that need a set.
  void SetSetDependentItems(bool compare_loaded, bool base_loaded);
  void ShowHelpTopic(int topic);
  // Writes one listing file per Compare bank, with the command's texts.
  void CreateListingFiles(ListingKind kind, std::string_view started, std::string_view finished);

  WindowOperations& window_;
  std::filesystem::path working_dir_;
  StatusLine status_;
  ReportChannel channel_;
  BankSet compare_set_;
  BankSet base_set_;
  std::vector<ItemState> items_;  // in menu order
};

}  // namespace dravelin

#endif  // DRAVELIN_APP_APPLICATION_H_
