#include "collection/sound_groups.h"

#include <unordered_map>

#include "compare/sound_set_key.h"

namespace dravelin {
namespace {

void AddSet(const BankSet& set, std::vector<SetPatch>& patches, std::vector<BankNumber>& bank_of,
            std::vector<const Bank*>& banks) {
  for (const Bank& bank : set) {
    const auto number = static_cast<BankNumber>(banks.size());
    banks.push_back(&bank);
    for (const Patch& patch : bank.patches) {
      patches.push_back({&bank, &patch});
      bank_of.push_back(number);
    }
  }
}

}  // namespace

SoundGroups::SoundGroups(const BankSet& compare_set, const BankSet& base_set) {
  const std::size_t count = CountPatches(compare_set) + CountPatches(base_set);
  patches_.reserve(count);
  bank_of_.reserve(count);
  banks_.reserve(compare_set.size() + base_set.size());
  AddSet(compare_set, patches_, bank_of_, banks_);
  compare_patch_count_ = patches_.size();
  compare_bank_count_ = banks_.size();
  AddSet(base_set, patches_, bank_of_, banks_);
  numbers_ = NumberPatches(patches_);

  // One pass: a patch's group is the one its key opened first.
  std::unordered_map<SoundSetKey, GroupId, SoundSetKeyHash> group_with_key;
  group_with_key.reserve(count);
  group_of_.reserve(count);
  for (const NumberedPatch& patch : numbers_.patches) {
    const auto fresh = static_cast<GroupId>(group_with_key.size());
    group_of_.push_back(
        group_with_key.try_emplace(MakeSoundSetKey(patch.sounds), fresh).first->second);
  }
  const std::size_t group_count = group_with_key.size();
  members_ = PostingLists(group_count, [&](auto add) {
    for (Ordinal ordinal = 0; ordinal < count; ++ordinal) add(group_of_[ordinal], ordinal);
  });
  // Members come in load order and so do their banks: each change of bank
  // along a group's members is one more bank that holds it.
  banks_holding_.resize(group_count);
  for (GroupId group = 0; group < group_count; ++group) {
    std::uint32_t banks = 0;
    BankNumber last = 0;
    for (Ordinal member : members(group)) {
      if (banks == 0 || bank_of_[member] != last) ++banks;
      last = bank_of_[member];
    }
    banks_holding_[group] = banks;
  }
}

}  // namespace dravelin
