#include "banks/bank.h"

namespace dravelin {

std::size_t CountPatches(const BankSet& set) {
  std::size_t count = 0;
  for (const Bank& bank : set) count += bank.patches.size();
  return count;
}

void FreeBankSet(BankSet& set) {
  // Swap with an empty vector so that the memory is returned, not kept as
  // capacity until the next load.
  BankSet().swap(set);
}

}  // namespace dravelin
