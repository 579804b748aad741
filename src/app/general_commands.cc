// The commands of the "General Control" menu.

#include "app/application.h"
#include "app/menu_table.h"

namespace dravelin {

void ReadInputFilesAgainClick(Application& app) {
  app.status_line().ShowStatus("Reading in all the sysex files again...");
  app.ReleaseBankSets();
  app.LoadBankSets();
}

void ControlScreenDisplayClick(Application& app) {
  ReportChannel& channel = app.channel();
  const bool on = !channel.screen_display();
  channel.set_screen_display(on);
  app.SetItemCaption(menu::kControlScreenDisplay,
                     on ? "Turn Off Screen Display" : "Turn On Screen Display");
  app.status_line().ShowStatus(on ? "Screen display is now turned ON."
                                  : "Screen display is now turned OFF.");
}

void ControlFileOutputClick(Application& app) {
  ReportChannel& channel = app.channel();
  const bool on = !channel.file_output();
  channel.set_file_output(on);
  app.SetItemCaption(menu::kControlFileOutput, on ? "Turn Off File Output" : "Turn On File Output");
  app.status_line().ShowStatus(on ? "File Output is now turned ON."
                                  : "File Output is now turned OFF.");
}

}  // namespace dravelin
