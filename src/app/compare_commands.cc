// The commands of the two comparison menus.

#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "collection/banks_worth_keeping.h"
#include "collection/new_sound_banks.h"
#include "collection/sound_groups_report.h"
#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"
#include "details/patch_details.h"
#include "details/patch_lookup.h"
#include "twins/near_twins_report.h"

namespace dravelin {
namespace {

// A report command's texts: the one that announces it, and the finished
// text around the name of the report file.
struct CommandTexts {
  std::string_view before;
  std::string_view finished_lead;
  std::string_view finished_tail;
};

constexpr CommandTexts kAllSimilaritiesTexts = {
    "Comparing patches...", "Finished. The file \"",
    "\" contains a list of all comparisons between patches in the \"Compare\" directory"};
constexpr CommandTexts kOnlyIdentitiesTexts = {
    "Getting patch identities...", "Finished. The file \"",
    "\" contains a list of all identities between patches in the \"Compare\" directory"};
constexpr CommandTexts kUniqueOnlyTexts = {
    "Comparing to Base - Finding unique patches...", "Finished. The file \"",
    "\" holds a list of patches in the \"Compare\" directory unique from \"Base\" directory "
    "patches."};
constexpr CommandTexts kIdenticalOnlyTexts = {
    "Comparing to Base - Finding identical patches...", "Finished. The file \"",
    "\" has a list of patches in the \"Compare\" directory identical to a \"Base\" directory "
    "patch."};

constexpr CommandTexts kSoundGroupsTexts = {
    "Finding sound groups...", "Finished. The file \"",
    "\" lists the groups of patches whose sounds are identical"};
constexpr CommandTexts kBanksWorthKeepingTexts = {
    "Counting the sounds each bank adds...", "Finished. The file \"",
    "\" tells how many sounds each sysex file in the \"Compare\" directory adds"};

constexpr CommandTexts kNearTwinsTexts = {
    "Finding near twins...", "Finished. The file \"",
    "\" lists the patches whose sounds differ in at most three parameters"};

constexpr std::string_view kDetailsStarted = "Reading the patches named on the line at the cursor...";
constexpr std::string_view kNoPatchNamed =
    "The line at the cursor names no patch of the sysex files read: put the cursor on a line "
    "that names one.";

// Each command checks the sets it needs, announces the report, writes it, then
// shows its finished text or the code that stopped it.
void RunWithinCompareCommand(Application& app, const CommandTexts& texts, WithinCompareKind kind) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  status.ShowStatus(texts.before);
  status.ShowCommandOutcome(
      WriteWithinCompareReport(app.channel(), app.compare_set(), kind),
      TextNamingFile(texts.finished_lead, WithinCompareReportFile(kind), texts.finished_tail));
}

void RunAgainstBaseCommand(Application& app, const CommandTexts& texts, AgainstBaseKind kind) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty() || app.base_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  status.ShowStatus(texts.before);
  status.ShowCommandOutcome(
      WriteAgainstBaseReport(app.channel(), app.compare_set(), app.base_set(), kind),
      TextNamingFile(texts.finished_lead, AgainstBaseReportFile(kind), texts.finished_tail));
}

// The reports over the whole collection: the Compare set, and the Base set
// when it was loaded with patches.
using CollectionReport = MessageCode (*)(ReportChannel&, const BankSet&, const BankSet&);

void RunCollectionCommand(Application& app, const CommandTexts& texts, CollectionReport report,
                          std::string_view file) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  status.ShowStatus(texts.before);
  const BankSet no_base;
  status.ShowCommandOutcome(
      report(app.channel(), app.compare_set(), app.base_loaded() ? app.base_set() : no_base),
      TextNamingFile(texts.finished_lead, ReportFileName(std::string(file)), texts.finished_tail));
}

std::string Counted(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// What the banks of new sounds came to: how many banks and programs, and
// the files, or why there are none.
std::string NewSoundBanksFinished(const NewSoundBanks& built, bool file_output) {
  if (built.banks == 0) return "Finished. No new sounds were found, so no bank was written.";
  const std::string counts = Counted(built.banks, "bank", "banks") + " of " +
                             Counted(built.programs, "program", "programs");
  if (!file_output) {
    return "Finished. " + counts + " listed; file output is off, so no file was written.";
  }
  std::string text = "Finished. " + counts + (built.banks == 1 ? " was" : " were") +
                     " written: \"" + NewBankFileName(1, "syx").Shown() + "\"";
  if (built.banks > 1) text += " to \"" + NewBankFileName(built.banks, "syx").Shown() + "\"";
  text += built.banks == 1 ? ", with its list (.txt)." : ", each with its list (.txt).";
  return text;
}

// The status text once the details of `shown` (one or two patches) are up.
std::string DetailsShownText(const std::vector<NamedPatch>& shown) {
  if (shown.size() == 1) {
    return "Finished. The details of " + LabelOf(shown[0]) + " are shown beside the report.";
  }
  return "Finished. " + LabelOf(shown[0]) + " and " + LabelOf(shown[1]) +
         " are shown side by side beside the report.";
}

}  // namespace

void PrintAllSimilaritiesClick(Application& app) {
  RunWithinCompareCommand(app, kAllSimilaritiesTexts, WithinCompareKind::kAllSimilarities);
}

void PrintOnlyIdentitiesClick(Application& app) {
  RunWithinCompareCommand(app, kOnlyIdentitiesTexts, WithinCompareKind::kOnlyIdentities);
}

void PrintUniqueOnlyClick(Application& app) {
  RunAgainstBaseCommand(app, kUniqueOnlyTexts, AgainstBaseKind::kUniqueOnly);
}

void PrintIdenticalOnlyClick(Application& app) {
  RunAgainstBaseCommand(app, kIdenticalOnlyTexts, AgainstBaseKind::kIdenticalOnly);
}

void PrintSoundGroupsClick(Application& app) {
  RunCollectionCommand(app, kSoundGroupsTexts, &WriteSoundGroupsReport, kSoundGroupsReportFile);
}

void PrintBanksWorthKeepingClick(Application& app) {
  RunCollectionCommand(app, kBanksWorthKeepingTexts, &WriteBanksWorthKeepingReport,
                       kBanksWorthKeepingReportFile);
}

void BuildNewSoundBanksClick(Application& app) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  status.ShowStatus("Building banks of new sounds...");
  const BankSet no_base;
  NewSoundBanks built;
  const MessageCode code = WriteNewSoundBanks(app.channel(), app.compare_set(),
                                              app.base_loaded() ? app.base_set() : no_base, &built);
  status.ShowCommandOutcome(code, NewSoundBanksFinished(built, app.channel().file_output()));
}

void PrintNearTwinsClick(Application& app) {
  RunCollectionCommand(app, kNearTwinsTexts, &WriteNearTwinsReport, kNearTwinsReportFile);
}

// The patches come from the pane's line at the caret, as the window holds
// it; the first two that the line names are shown.
void ShowPatchDetailsClick(Application& app) {
  StatusLine& status = app.status_line();
  if (app.compare_set().empty()) {
    status.ShowMessageCode(kNoBankFiles);
    return;
  }
  status.ShowStatus(kDetailsStarted);
  const BankSet no_base;
  std::vector<NamedPatch> named = FindLabelledPatches(
      app.window().CaretLineText(), app.compare_set(), app.base_loaded() ? app.base_set() : no_base);
  if (named.empty()) {
    status.ShowStatus(kNoPatchNamed);
    return;
  }
  if (named.size() > 2) named.resize(2);
  const std::vector<std::string> lines = PatchDetailsLines(named);
  app.window().ShowDetails(kPatchDetailsTitle, lines);
  status.ShowStatus(DetailsShownText(named));
}

}  // namespace dravelin
