#include "app/application.h"

#include <utility>

#include "app/menu_model.h"
#include "banks/bank_directory.h"

namespace dravelin {

Application::Application(WindowOperations& window, std::filesystem::path working_dir,
                         ReportFileSystem& files)
    : window_(window),
      working_dir_(std::move(working_dir)),
      status_(window),
      channel_(window, files, working_dir_) {
  enabled_.fill(true);
  for (const MenuItem& item : kMenuItems) captions_[IndexOf(item.id)] = item.caption;
}

void Application::LoadBankSets() {
  MessageCode code = ReadBankDirectory(working_dir_, "Compare", compare_set_);
  if (code != kAllIsOk || CountPatches(compare_set_) == 0) {
    for (MenuItemId item : kCompareSetItems) SetItemEnabled(item, false);
    for (MenuItemId item : kBaseSetItems) SetItemEnabled(item, false);
    status_.ShowMessageCode(code);
    return;
  }
  for (MenuItemId item : kCompareSetItems) SetItemEnabled(item, true);

  code = ReadBankDirectory(working_dir_, "Base", base_set_);
  if (code != kAllIsOk || CountPatches(base_set_) == 0) {
    for (MenuItemId item : kBaseSetItems) SetItemEnabled(item, false);
    if (code == kNoBankFiles) {
      status_.ShowStatus("Finished reading in all the sysex files in the \"Compare\" directory.");
    } else {
      status_.ShowMessageCode(code);
    }
    return;
  }
  for (MenuItemId item : kBaseSetItems) SetItemEnabled(item, true);
  status_.ShowStatus(
      "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" "
      "directories.");
}

void Application::Click(MenuItemId item) { (this->*MenuItemOf(item).handler)(); }

void Application::ReadInputFilesAgainClick() {
  status_.ShowStatus("Reading in all the sysex files again...");
  FreeBankSet(base_set_);
  FreeBankSet(compare_set_);
  LoadBankSets();
}

void Application::ControlScreenDisplayClick() {
  const bool on = !channel_.screen_display();
  channel_.set_screen_display(on);
  SetItemCaption(MenuItemId::kControlScreenDisplay,
                 on ? "Turn Off Screen Display" : "Turn On Screen Display");
  status_.ShowStatus(on ? "Screen display is now turned ON." : "Screen display is now turned OFF.");
}

void Application::ControlFileOutputClick() {
  const bool on = !channel_.file_output();
  channel_.set_file_output(on);
  SetItemCaption(MenuItemId::kControlFileOutput,
                 on ? "Turn Off File Output" : "Turn On File Output");
  status_.ShowStatus(on ? "File Output is now turned ON." : "File Output is now turned OFF.");
}

void Application::FormClose() {
  FreeBankSet(base_set_);
  FreeBankSet(compare_set_);
}

void Application::SetItemEnabled(MenuItemId item, bool enabled) {
  enabled_[IndexOf(item)] = enabled;
  window_.SetItemEnabled(item, enabled);
}

void Application::SetItemCaption(MenuItemId item, std::string_view caption) {
  captions_[IndexOf(item)] = std::string(caption);
  window_.SetItemCaption(item, caption);
}

}  // namespace dravelin
