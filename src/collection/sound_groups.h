// The patches of a collection sorted into sound groups: every patch of the
// Compare set, and of the Base set when it takes part, in exactly one group,
// and two patches in the same group exactly when their sounds are identical
// in the comparison's sense (ComparePatches' sounds_identical: the same
// distinct sound blocks, in any slots and any number of times; names,
// program numbers and banks play no part). Groups are thus equivalence
// classes, and a patch whose sounds no other patch has is a group of one.
// The number of groups is the number of distinct sounds of the collection.
//
// Load order numbers everything:
//   - patches by ordinal: the Compare set's patches in set order (its banks
//     in set order, each bank's patches in file order), then the Base set's
//     the same way; ordinals below compare_patch_count() are Compare patches;
//   - banks: the Compare banks in set order, then the Base banks;
//   - groups: from 0, in the order of their first member; a group's members
//     are listed in load order, so its first member is members(g).front().
//
// The groups are found in one pass over the patches with a hash of each
// patch's set of sound blocks, never by comparing pairs: time and memory
// grow with the number of patches. Both sets must outlive the groups and
// stay unchanged.

#ifndef DRAVELIN_COLLECTION_SOUND_GROUPS_H_
#define DRAVELIN_COLLECTION_SOUND_GROUPS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "banks/bank.h"
#include "compare/patch_numbers.h"
#include "compare/posting_lists.h"
#include "compare/set_patches.h"

namespace dravelin {

using GroupId = std::uint32_t;
using BankNumber = std::uint32_t;

class SoundGroups {
 public:
  // An empty `base_set` takes no part.
  SoundGroups(const BankSet& compare_set, const BankSet& base_set);

  SoundGroups(const SoundGroups&) = delete;
  SoundGroups& operator=(const SoundGroups&) = delete;

  // --- Patches, by ordinal.
  std::size_t patch_count() const { return patches_.size(); }
  std::size_t compare_patch_count() const { return compare_patch_count_; }
  bool IsBasePatch(Ordinal ordinal) const { return ordinal >= compare_patch_count_; }
  // Every patch with its bank, by ordinal.
  const std::vector<SetPatch>& patches() const { return patches_; }
  BankNumber bank_of(Ordinal ordinal) const { return bank_of_[ordinal]; }
  // The names and sound blocks of every patch numbered over both sets
  // (equal numbers exactly when identical), by ordinal, for judging pairs
  // (ComparePatches of NumberedPatch) and for the comparison's indexes.
  const PatchNumbers& numbers() const { return numbers_; }

  // --- Banks, by number.
  std::size_t bank_count() const { return banks_.size(); }
  std::size_t compare_bank_count() const { return compare_bank_count_; }
  bool IsBaseBank(BankNumber bank) const { return bank >= compare_bank_count_; }
  const Bank& bank(BankNumber bank) const { return *banks_[bank]; }

  // --- Groups, by id.
  std::size_t group_count() const { return banks_holding_.size(); }
  GroupId group_of(Ordinal ordinal) const { return group_of_[ordinal]; }
  // The group's members, ascending (load order); never empty.
  std::span<const Ordinal> members(GroupId group) const { return members_.List(group); }
  // How many banks of either set hold at least one member of the group.
  std::size_t banks_holding(GroupId group) const { return banks_holding_[group]; }
  bool HoldsComparePatch(GroupId group) const {
    return members(group).front() < compare_patch_count_;
  }
  bool HoldsBasePatch(GroupId group) const { return members(group).back() >= compare_patch_count_; }

 private:
  std::vector<SetPatch> patches_;
  std::size_t compare_patch_count_ = 0;
  std::vector<BankNumber> bank_of_;  // by ordinal
  std::vector<const Bank*> banks_;   // by bank number
  std::size_t compare_bank_count_ = 0;
  PatchNumbers numbers_;
  std::vector<GroupId> group_of_;             // by ordinal
  PostingLists members_;                      // list g: the members of group g
  std::vector<std::uint32_t> banks_holding_;  // by group
};

}  // namespace dravelin

#endif  // DRAVELIN_COLLECTION_SOUND_GROUPS_H_
