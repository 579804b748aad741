#include "app/application.h"

#include <new>
#include <utility>

#include "app/help_topics.h"
#include "app/menu_table.h"
#include "banks/bank_directory.h"

namespace dravelin {

Application::Application(WindowOperations& window, std::filesystem::path working_dir,
                         ReportFileSystem& files)
    : window_(window),
      working_dir_(std::move(working_dir)),
      files_(files),
      status_(window),
      channel_(window, files, working_dir_),
      assignments_(working_dir_) {
  items_.reserve(kMenuItems.size());
  for (const MenuItem& item : kMenuItems) items_.push_back({std::string(item.caption), true});
}

void Application::LoadBankSets() {
  assignments_.Forget();
  confirmed_.reset();
  MessageCode code = ReadBankDirectory(working_dir_, "Compare", compare_set_);
  if (code != kAllIsOk || CountPatches(compare_set_) == 0) {
    SetSetDependentItems(false, false);
    status_.ShowMessageCode(code);
    return;
  }

  code = ReadBankDirectory(working_dir_, "Base", base_set_);
  if (code != kAllIsOk || CountPatches(base_set_) == 0) {
    SetSetDependentItems(true, false);
    if (code == kNoBankFiles) {
      status_.ShowStatus("Finished reading in all the sysex files in the \"Compare\" directory.");
    } else {
      status_.ShowMessageCode(code);
    }
    return;
  }
  SetSetDependentItems(true, true);
  status_.ShowStatus(
      "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" "
      "directories.");
}

void Application::Click(MenuItemId item) {
  const MenuItem& row = MenuItemOf(item);
  // Memory may run out while a report fills the pane (the pane throws
  // std::bad_alloc and keeps the lines it holds): the command ends there
  // with code 2, and the program goes on. A report file left open is
  // dropped when the next one opens.
  try {
    if (row.help_topic != 0) {
      ShowHelpTopicText(window_, HelpTopicNumber(row.help_topic));
    } else {
      row.handler(*this);
    }
  } catch (const std::bad_alloc&) {
    status_.ShowMessageCode(kOutOfMemory);
  }
}

void Application::ReleaseBankSets() {
  base_loaded_ = false;
  FreeBankSet(base_set_);
  FreeBankSet(compare_set_);
  assignments_.Forget();
  confirmed_.reset();
}

AssignmentDialog Application::OfferAssignment() {
  const AssignmentOffer offer = assignments_.Offer(compare_set_);
  if (!offer.problem.empty()) status_.ShowStatus(offer.problem);
  return MakeAssignmentDialog(compare_set_, offer.assignment);
}

std::string Application::ConfirmAssignment(std::span<const int> chosen) {
  const std::optional<BankAssignment> assignment = AssignmentOfChoices(chosen);
  if (!assignment) return std::string(kIncompleteAssignment);
  return Confirm(*assignment);
}

std::string Application::ConfirmAssignmentChoices(std::span<const KeyboardBankChoice> choices) {
  const AssignmentOffer offer = assignments_.Offer(compare_set_);
  if (!offer.problem.empty()) status_.ShowStatus(offer.problem);
  return Confirm(WithChoices(offer.assignment, choices));
}

std::string Application::Confirm(const BankAssignment& assignment) {
  std::string refusal = AssignmentRefusal(compare_set_, assignment);
  if (!refusal.empty()) return refusal;
  assignments_.Remember(compare_set_, assignment);
  confirmed_ = assignment;
  return refusal;
}

MessageCode Application::TakeAssignment(BankAssignment* assignment) {
  if (!confirmed_) {
    const AssignmentOffer offer = assignments_.Offer(compare_set_);
    if (!offer.problem.empty()) status_.ShowStatus(offer.problem);
    *assignment = offer.assignment;
    return kAllIsOk;
  }
  *assignment = std::move(*confirmed_);
  confirmed_.reset();
  return channel_.file_output() ? assignments_.Save(files_) : kAllIsOk;
}

void Application::SetItemEnabled(MenuItemId item, bool enabled) {
  ItemState& state = items_[IndexOf(item)];
  if (state.enabled == enabled) return;
  state.enabled = enabled;
  window_.MenuItemChanged(item);
}

void Application::SetItemCaption(MenuItemId item, std::string_view caption) {
  ItemState& state = items_[IndexOf(item)];
  if (state.caption == caption) return;
  state.caption = caption;
  window_.MenuItemChanged(item);
}

void Application::SetSetDependentItems(bool compare_loaded, bool base_loaded) {
  base_loaded_ = compare_loaded && base_loaded;
  for (MenuItemId item : kMenuItemIds) {
    switch (MenuItemOf(item).needs) {
      case ItemNeeds::kNothing:
        break;
      case ItemNeeds::kCompareSet:
        SetItemEnabled(item, compare_loaded);
        break;
      case ItemNeeds::kBothSets:
        SetItemEnabled(item, compare_loaded && base_loaded);
        break;
    }
  }
}

}  // namespace dravelin
