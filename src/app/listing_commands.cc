// The commands of the "Create Name Lists" menu.

#include <string>
#include <string_view>

#include "app/application.h"
#include "report/bank_list_files.h"

namespace dravelin {
namespace {

constexpr std::string_view kPatchListsStarted = "Making patch lists...";
constexpr std::string_view kInsListsStarted = "Making Ins file lists...";
constexpr std::string_view kListsFinishedLead = "Finished. Each file '";
constexpr std::string_view kPatchListsFinishedTail =
    "', where '*' is the name of a sysex file, contains the names of all the patches in that "
    "sysex file. ";
constexpr std::string_view kInsListsFinishedTail =
    "', where '*' is the name of a sysex file, contains the 'ins' information for patches in "
    "that sysex file. ";

// The files of a listing command, as its finished text names them.
ReportFileName EveryListingFile(ListingKind kind) {
  return ReportFileName("*." + std::string(ListingExtension(kind)));
}

}  // namespace

void Application::CreatePatchNameFilesClick() {
  CreateListingFiles(
      ListingKind::kPatchNameList, kPatchListsStarted,
      TextNamingFile(kListsFinishedLead, EveryListingFile(ListingKind::kPatchNameList),
                     kPatchListsFinishedTail));
}

void Application::CreateInsFilesClick() {
  CreateListingFiles(
      ListingKind::kInstrumentSection, kInsListsStarted,
      TextNamingFile(kListsFinishedLead, EveryListingFile(ListingKind::kInstrumentSection),
                     kInsListsFinishedTail));
}

void Application::CreateListingFiles(ListingKind kind, std::string_view started,
                                     std::string_view finished) {
  if (compare_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  status_.ShowStatus(started);
  channel_.ClearReportPane();
  status_.ShowCommandOutcome(WriteBankListFiles(channel_, compare_set_, kind), finished);
}

}  // namespace dravelin
