// The program without its window: the two bank sets, the report channel, the
// status line and the menu items' states. The command handlers that work on
// it are named in the menu table (app/menu_table.h).
//
// A front end implements WindowOperations, constructs an Application over it,
// calls LoadBankSets once (the start-up load), runs handlers through Click as
// the user picks menu items, and calls FormClose when it closes. Before
// clicking an item that asks for the keyboard banks (MenuItem::
// asks_assignment) it shows OfferAssignment's dialog, runs nothing when the
// user cancels it, and hands the choice to ConfirmAssignment first. The
// Application alone keeps the menu items' captions and enabled states; it
// tells the window of every change (WindowOperations::MenuItemChanged).

#ifndef DRAVELIN_APP_APPLICATION_H_
#define DRAVELIN_APP_APPLICATION_H_

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/assignment_dialog.h"
#include "app/menu_item_id.h"
#include "app/status_line.h"
#include "app/window_operations.h"
#include "banks/bank.h"
#include "report/report_channel.h"
#include "report/report_file.h"
#include "sequencer/assignment_store.h"
#include "sequencer/bank_assignment.h"

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

  // Runs what a click of `item` runs: its handler, or its help topic. When
  // memory runs out on the way, the command ends with code 2 on the status
  // line.
  void Click(MenuItemId item);

  // The state of a menu item as the menu shows it.
  bool item_enabled(MenuItemId item) const { return items_[IndexOf(item)].enabled; }
  const std::string& item_caption(MenuItemId item) const { return items_[IndexOf(item)].caption; }

  // Replaces the caption of a menu item and tells the window.
  void SetItemCaption(MenuItemId item, std::string_view caption);

  const BankSet& compare_set() const { return compare_set_; }
  const BankSet& base_set() const { return base_set_; }
  // Whether the last load read the Base set without error and found
  // patches in it (the items that need both sets are enabled then).
  bool base_loaded() const { return base_loaded_; }
  ReportChannel& channel() { return channel_; }
  StatusLine& status_line() { return status_; }
  const StatusLine& status_line() const { return status_; }
  WindowOperations& window() { return window_; }

  // Releases both sets, the Base set first; both are empty afterwards. The
  // keyboard banks confirmed for them are forgotten.
  void ReleaseBankSets();

  // What the dialog before an export shows: every Compare bank with the
  // keyboard bank that the store offers for it (sequencer/
  // assignment_store.h). Shows on the status line what was wrong with the
  // assignment file, if anything was.
  AssignmentDialog OfferAssignment();

  // The user's choice (per Compare bank, in set order, an index in
  // AssignmentDialog::choices) for the next export. Returns why it is
  // refused (the dialog shows the text and stays open), or an empty text:
  // then it is taken for the next export, which writes it to the assignment
  // file while FileOutput is on, and offered from now on.
  std::string ConfirmAssignment(std::span<const int> chosen);

  // As ConfirmAssignment, for keyboard banks given by name (the batch
  // program's --slot): the offered assignment with `choices` over it
  // (WithChoices); the offer shows what was wrong with the file.
  std::string ConfirmAssignmentChoices(std::span<const KeyboardBankChoice> choices);

  // For an export: the assignment confirmed for it, or else the offered one
  // (showing what was wrong with the file). A confirmed one is first written
  // to the assignment file (FileOutput on); the code of a failure to write
  // it is returned, and then the export must not go on.
  MessageCode TakeAssignment(BankAssignment* assignment);

  // The window is closing: releases both sets.
  void FormClose() { ReleaseBankSets(); }

 private:
  struct ItemState {
    std::string caption;
    bool enabled = true;
  };

  void SetItemEnabled(MenuItemId item, bool enabled);
  // Takes `assignment` for the next export unless AssignmentRefusal refuses
  // it; returns the refusal.
  std::string Confirm(const BankAssignment& assignment);
  // Enables the items whose needs the loaded sets meet and disables the rest
  // of those that need a set.
  void SetSetDependentItems(bool compare_loaded, bool base_loaded);

  WindowOperations& window_;
  std::filesystem::path working_dir_;
  ReportFileSystem& files_;
  StatusLine status_;
  ReportChannel channel_;
  BankSet compare_set_;
  BankSet base_set_;
  AssignmentStore assignments_;
  std::optional<BankAssignment> confirmed_;  // for the next export
  bool base_loaded_ = false;
  std::vector<ItemState> items_;  // in menu order
};

}  // namespace dravelin

#endif  // DRAVELIN_APP_APPLICATION_H_
