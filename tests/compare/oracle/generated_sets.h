// Bank sets made in memory for the comparison tests and the benchmark.

#ifndef DRAVELIN_TESTS_COMPARE_ORACLE_GENERATED_SETS_H_
#define DRAVELIN_TESTS_COMPARE_ORACLE_GENERATED_SETS_H_

#include <cstdint>
#include <string>

#include "banks/bank.h"

namespace dravelin::testing {

struct SetPair {
  BankSet compare_set;
  BankSet base_set;
};

// A small pair of sets in which everything collides: names from a tiny
// alphabet (some differing only in case or in the last character), sounds
// from a small pool that holds near twins (blocks differing in one byte),
// exact, renamed, renumbered and permuted copies within and across the
// sets, repeated sounds within a patch, repeated bank names, bank names
// holding a line break, and empty banks anywhere. Either set may be empty.
SetPair MakeCollidingSets(std::uint32_t seed);

// The shape of a corpus like the banks people collect.
struct CorpusShape {
  int banks = 100;  // per set
  int patches_per_bank = 128;
  double filler_share = 0.065;     // patches that use the one filler block
  int hot_blocks = 4;              // blocks used by a hundred or more patches each
  double hot_share = 0.012;        // patches that use a given hot block
  double pooled_share = 0.15;      // sounds taken from a pool of shared blocks
  double copy_share = 0.05;        // patches copied (exact, renamed, permuted)
  double base_from_compare = 0.1;  // Base patches copied from the Compare set
};

// Two sets of `shape.banks` banks of `shape.patches_per_bank` patches with
// the sharing that real banks show: one filler block used by some patches
// for an unused sound, a few blocks shared by hundreds of patches, a pool of
// blocks shared by a few, common names ("Init Prog ") and names drawn from a
// vocabulary so that some repeat, and exact, renamed and permuted copies
// within the Compare set and from it into the Base set.
SetPair MakeRealisticCorpus(std::uint32_t seed, const CorpusShape& shape = {});

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_COMPARE_ORACLE_GENERATED_SETS_H_
