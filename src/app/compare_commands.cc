// The commands of the two comparison menus.

#include <string_view>

#include "app/application.h"
#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"

namespace dravelin {
namespace {

struct CommandTexts {
  std::string_view before;
  std::string_view finished;
};

constexpr CommandTexts kAllSimilaritiesTexts = {
    "Comparing patches...",
    "Finished. The file \"Compare\\compare.txt\" contains a list of all comparisons between "
    "patches in the \"Compare\" directory"};
constexpr CommandTexts kOnlyIdentitiesTexts = {
    "Getting patch identities...",
    "Finished. The file \"Compare\\identity.txt\" contains a list of all identities between "
    "patches in the \"Compare\" directory"};
constexpr CommandTexts kUniqueOnlyTexts = {
    "Comparing to Base - Finding unique patches...",
    "Finished. The file \"Compare\\uniqC2B.txt\" holds a list of patches in the \"Compare\" "
    "directory unique from \"Base\" directory patches."};
constexpr CommandTexts kIdenticalOnlyTexts = {
    "Comparing to Base - Finding identical patches...",
    "Finished. The file \"Compare\\identC2B.txt\" has a list of patches in the \"Compare\" "
    "directory identical to a \"Base\" directory patch."};

// Announces the report, writes it, then shows its finished text or the code
// that stopped it.
template <typename WriteReport>
void RunReportCommand(StatusLine& status, const CommandTexts& texts, WriteReport write_report) {
  status.ShowStatus(texts.before);
  status.ShowCommandOutcome(write_report(), texts.finished);
}

}  // namespace

void Application::PrintAllSimilaritiesClick() {
  if (compare_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kAllSimilaritiesTexts, [this] {
    return WriteWithinCompareReport(channel_, compare_set_, WithinCompareKind::kAllSimilarities);
  });
}

void Application::PrintOnlyIdentitiesClick() {
  if (compare_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kOnlyIdentitiesTexts, [this] {
    return WriteWithinCompareReport(channel_, compare_set_, WithinCompareKind::kOnlyIdentities);
  });
}

void Application::PrintUniqueOnlyClick() {
  if (compare_set_.empty() || base_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kUniqueOnlyTexts, [this] {
    return WriteAgainstBaseReport(channel_, compare_set_, base_set_, AgainstBaseKind::kUniqueOnly);
  });
}

void Application::PrintIdenticalOnlyClick() {
  if (compare_set_.empty() || base_set_.empty()) {
    status_.ShowMessageCode(kNoBankFiles);
    return;
  }
  RunReportCommand(status_, kIdenticalOnlyTexts, [this] {
    return WriteAgainstBaseReport(channel_, compare_set_, base_set_,
                                  AgainstBaseKind::kIdenticalOnly);
  });
}

}  // namespace dravelin
