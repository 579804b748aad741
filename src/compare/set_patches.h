// Every patch of a bank set with its bank, in set order: the banks in set
// order and within each bank its patches in bank order. The position of a
// patch in this list (its ordinal) is how the comparison indexes name it.

#ifndef DRAVELIN_COMPARE_SET_PATCHES_H_
#define DRAVELIN_COMPARE_SET_PATCHES_H_

#include <vector>

#include "banks/bank.h"

namespace dravelin {

struct SetPatch {
  const Bank* bank = nullptr;
  const Patch* patch = nullptr;
};

// Points into `set`, which must outlive the list and stay unchanged.
std::vector<SetPatch> ListSetPatches(const BankSet& set);

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_SET_PATCHES_H_
