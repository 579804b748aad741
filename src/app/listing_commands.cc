// The commands of the "Create Name Lists" menu.

#include <string>
#include <string_view>

#include "app/application.h"
#include "app/menu_table.h"
#include "collection/patch_catalogue.h"
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
constexpr std::string_view kCatalogueStarted = "Making the patch catalogue...";
constexpr std::string_view kCatalogueFinishedLead = "Finished. The file \"";
constexpr std::string_view kCatalogueFinishedTail =
    "\" lists every patch, one row each, for a spreadsheet";

// The files of a listing command, as its finished text names them.
ReportFileName EveryListingFile(ListingKind kind) {
  return ReportFileName("*." + std::string(ListingExtension(kind)));
}

// Writes one listing file per Compare bank, with the command's texts.
void CreateListingFiles(Application& app, ListingKind kind, std::string_view started,
                        const std::string& finished) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  status.ShowStatus(started);
  app.channel().ClearReportPane();
  status.ShowCommandOutcome(WriteBankListFiles(app.channel(), app.compare_set(), kind), finished);
}

}  // namespace

void CreatePatchNameFilesClick(Application& app) {
  CreateListingFiles(
      app, ListingKind::kPatchNameList, kPatchListsStarted,
      TextNamingFile(kListsFinishedLead, EveryListingFile(ListingKind::kPatchNameList),
                     kPatchListsFinishedTail));
}

void CreateInsFilesClick(Application& app) {
  CreateListingFiles(
      app, ListingKind::kInstrumentSection, kInsListsStarted,
      TextNamingFile(kListsFinishedLead, EveryListingFile(ListingKind::kInstrumentSection),
                     kInsListsFinishedTail));
}

void CreatePatchCatalogueClick(Application& app) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  status.ShowStatus(kCatalogueStarted);
  const BankSet no_base;
  status.ShowCommandOutcome(
      WritePatchCatalogue(app.channel(), app.compare_set(),
                          app.base_loaded() ? app.base_set() : no_base),
      TextNamingFile(kCatalogueFinishedLead, ReportFileName(std::string(kPatchCatalogueFile)),
                     kCatalogueFinishedTail));
}

}  // namespace dravelin
