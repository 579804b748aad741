// The two reports of the "Compare Within 'Compare' Directory" menu: every
// patch of the Compare set against every other patch of the set, listing the
// pairs that are alike.
//
// For each patch, in set order, the report lists its partners in set order
// (those before it included), one verdict block each, then a separator line
// when it had any; so every alike pair is reported twice, once under each of
// its patches. Partners are found through an index of names and sound blocks
// instead of by trying every pair, so the cost grows with the number of
// patches plus the size of the report.

#ifndef DRAVELIN_COMPARE_WITHIN_COMPARE_REPORT_H_
#define DRAVELIN_COMPARE_WITHIN_COMPARE_REPORT_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "base/message_code.h"
#include "compare/identity_partners.h"
#include "compare/patch_comparison.h"
#include "compare/patch_label.h"
#include "compare/patch_numbers.h"
#include "compare/posting_lists.h"
#include "compare/set_patches.h"
#include "compare/similarity_partners.h"
#include "report/report_channel.h"
#include "report/text_block.h"

namespace dravelin {

enum class WithinCompareKind : int {
  // Identical, sounds identical and similar pairs, similar ones with details.
  kAllSimilarities = 0,
  // Identical and sounds identical pairs only.
  kOnlyIdentities = 1,
};

inline constexpr std::string_view kCompareReportFile = "compare.txt";
inline constexpr std::string_view kIdentityReportFile = "identity.txt";
inline constexpr std::string_view kPatchComparisonsLine = "Patch Comparisons:";
inline constexpr std::string_view kNameDetailLine = "  Name is IDENTICAL";

// The report file of a kind.
ReportFileName WithinCompareReportFile(WithinCompareKind kind);

// The detail line "  Sound <row> is IDENTICAL to sound <column>".
std::string_view SoundDetailLine(std::size_t row, std::size_t column);

// Compares the pair and writes its verdict block if `kind` reports it; the
// empty line after the block is left to the caller. Returns whether it wrote.
bool WritePairVerdict(ReportChannel& channel, const Bank& first_bank, const Patch& first,
                      const Bank& second_bank, const Patch& second, WithinCompareKind kind);

// Writes, patch by patch, the body of a report over one set: the set and
// its index must stay unchanged while the writer lives.
class WithinCompareWriter {
 public:
  WithinCompareWriter(ReportChannel& channel, const BankSet& compare_set, WithinCompareKind kind);

  // The number of patches of the set.
  std::size_t patch_count() const { return patches_.size(); }

  // Writes the verdict blocks, each followed by an empty line, of every
  // reported partner of the patch with this ordinal (in set order), then a
  // separator line when there was at least one. Lines may be held back
  // until HandOverBlock. False once a write to the report file has failed:
  // the report is over.
  bool CompareWithCompareSet(Ordinal first);

  // Passes the lines held back to the channel. False once a write to the
  // report file has failed: the report is over.
  bool HandOverBlock();

 private:
  ReportChannel& channel_;
  WithinCompareKind kind_;
  std::vector<SetPatch> patches_;
  PatchLabels labels_;
  PatchNumbers numbers_;
  TextBlock block_;
  // The one index the kind needs.
  std::unique_ptr<SimilarityPartners> similarity_partners_;
  std::unique_ptr<IdentityPartners> identity_partners_;
  std::vector<Ordinal> scratch_;
};

// Writes the report of `kind` over `compare_set`. Returns kOnlyOnePatch when
// the set is one bank holding one patch (nothing is opened and the pane is
// left alone), the code of OpenReportFile when that fails (the pane is left
// alone), otherwise the code of CloseReportFile: kAllIsOk, or
// kTxtFileWriteError when the report file could not be written; the report
// stops at the first failed write.
MessageCode WriteWithinCompareReport(ReportChannel& channel, const BankSet& compare_set,
                                     WithinCompareKind kind);

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_WITHIN_COMPARE_REPORT_H_
