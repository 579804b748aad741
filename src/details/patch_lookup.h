// Finding patches of the loaded sets by what names them: the labels of a
// report line, or a bank and a program number.
//
// A label names the first patch, in set order and file order, whose bank's
// name, program number and name are the label's. A label marked as a Base
// patch's (kBaseLabelMark) is looked for in the Base set only; any other in
// the Compare set first, then in the Base set, so that a bank name that
// both sets hold names the Compare bank's patch.

#ifndef DRAVELIN_DETAILS_PATCH_LOOKUP_H_
#define DRAVELIN_DETAILS_PATCH_LOOKUP_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"

namespace dravelin {

struct NamedPatch {
  const Bank* bank = nullptr;
  const Patch* patch = nullptr;
  bool base = false;  // a patch of the Base set
};

// The patches that the labels in `line` name, in the order the labels
// stand; labels that name no patch of the sets are passed over.
std::vector<NamedPatch> FindLabelledPatches(std::string_view line, const BankSet& compare_set,
                                            const BankSet& base_set);

// The patch named "BANK:PROGRAM": BANK a bank's name or its file name (the
// text before the last ':'), PROGRAM its program number in decimal; the
// first such patch, Compare set first. Sets `why` and gives nothing when
// the text is malformed or names no patch.
std::optional<NamedPatch> FindPatchByBankAndProgram(std::string_view text,
                                                    const BankSet& compare_set,
                                                    const BankSet& base_set, std::string* why);

// The patch's label as the reports write it, kBaseLabelMark after a Base
// patch's.
std::string LabelOf(const NamedPatch& named);

}  // namespace dravelin

#endif  // DRAVELIN_DETAILS_PATCH_LOOKUP_H_
