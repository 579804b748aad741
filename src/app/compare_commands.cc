// The commands of the two comparison menus.

#include <string_view>

#include "app/application.h"
#include "app/menu_table.h"
#include "collection/banks_worth_keeping.h"
#include "collection/sound_groups_report.h"
#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"

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

}  // namespace dravelin
