// The commands of the two comparison menus.

#include <string_view>

#include "app/application.h"
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

// Announces the report, writes it, then shows its finished text or the code
// that stopped it.
template <typename WriteReport>
void RunReportCommand(StatusLine& status, const CommandTexts& texts, const ReportFileName& file,
                      WriteReport write_report) {
  status.ShowStatus(texts.before);
  status.ShowCommandOutcome(write_report(),
                            TextNamingFile(texts.finished_lead, file, texts.finished_tail));
}

}  // namespace

void Application::PrintAllSimilaritiesClick() {
  if (compare_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kAllSimilaritiesTexts,
                   WithinCompareReportFile(WithinCompareKind::kAllSimilarities), [this] {
                     return WriteWithinCompareReport(channel_, compare_set_,
                                                     WithinCompareKind::kAllSimilarities);
                   });
}

void Application::PrintOnlyIdentitiesClick() {
  if (compare_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kOnlyIdentitiesTexts,
                   WithinCompareReportFile(WithinCompareKind::kOnlyIdentities), [this] {
                     return WriteWithinCompareReport(channel_, compare_set_,
                                                     WithinCompareKind::kOnlyIdentities);
                   });
}

void Application::PrintUniqueOnlyClick() {
  if (compare_set_.empty() || base_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kUniqueOnlyTexts, AgainstBaseReportFile(AgainstBaseKind::kUniqueOnly),
                   [this] {
                     return WriteAgainstBaseReport(channel_, compare_set_, base_set_,
                                                   AgainstBaseKind::kUniqueOnly);
                   });
}

void Application::PrintIdenticalOnlyClick() {
  if (compare_set_.empty() || base_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kIdenticalOnlyTexts,
                   AgainstBaseReportFile(AgainstBaseKind::kIdenticalOnly), [this] {
                     return WriteAgainstBaseReport(channel_, compare_set_, base_set_,
                                                   AgainstBaseKind::kIdenticalOnly);
                   });
}

}  // namespace dravelin
