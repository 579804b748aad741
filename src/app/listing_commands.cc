// The commands of the "Create Name Lists" menu.

#include <string_view>

#include "app/application.h"
#include "report/bank_list_files.h"

namespace dravelin {
namespace {

constexpr std::string_view kPatchListsStarted = "Making patch lists...";
constexpr std::string_view kPatchListsFinished =
    "Finished. Each file 'Compare\\*.txt', where '*' is the name of a sysex file, contains the "
    "names of all the patches in that sysex file. ";
constexpr std::string_view kInsListsStarted = "Making Ins file lists...";
constexpr std::string_view kInsListsFinished =
    "Finished. Each file 'Compare\\*.ins', where '*' is the name of a sysex file, contains the "
    "'ins' information for patches in that sysex file. ";

}  // namespace

void Application::CreatePatchNameFilesClick() {
  if (compare_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  status_.ShowStatus(kPatchListsStarted);
  channel_.ClearReportPane();
  const MessageCode code = WriteBankListFiles(channel_, compare_set_, ListingKind::kPatchNameList);
  if (code == kAllIsOk) {
    status_.ShowStatus(kPatchListsFinished);
  } else {
    status_.ShowMessageCode(code);
  }
}

void Application::CreateInsFilesClick() {
  if (compare_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  status_.ShowStatus(kInsListsStarted);
  channel_.ClearReportPane();
  const MessageCode code =
      WriteBankListFiles(channel_, compare_set_, ListingKind::kInstrumentSection);
  if (code == kAllIsOk) {
    status_.ShowStatus(kInsListsFinished);
  } else {
    status_.ShowMessageCode(code);
  }
}

}  // namespace dravelin
