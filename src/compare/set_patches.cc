#include "compare/set_patches.h"

namespace dravelin {

std::vector<SetPatch> ListSetPatches(const BankSet& set) {
  std::vector<SetPatch> list;
  list.reserve(CountPatches(set));
  for (const Bank& bank : set) {
    for (const Patch& patch : bank.patches) list.push_back({&bank, &patch});
  }
  return list;
}

}  // namespace dravelin
