// The pieces the indexed reports are built from.

#include <gtest/gtest.h>

#include <vector>

#include "compare/identity_partners.h"
#include "compare/patch_numbers.h"
#include "compare/set_patches.h"
#include "compare/similarity_partners.h"
#include "compare/sound_block_table.h"
#include "tests/compare/report_fixture.h"

namespace dravelin {
namespace {

using testing::MakeBank;
using testing::MakePatch;
using sysex::MakeSound;
using sysex::MakeSounds;

TEST(SoundBlockTableTest, NumbersEachDistinctBlockOnceAcrossGrowth) {
  // Start small so that the table grows many times; add near twins that
  // differ from a block in one byte only.
  std::vector<SoundBlock> blocks;
  for (std::uint32_t k = 0; k < 3000; ++k) {
    blocks.push_back(MakeSound(k));
    SoundBlock twin = blocks.back();
    twin[84] ^= 1;
    blocks.push_back(twin);
  }
  SoundBlockTable table(0);
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    ASSERT_EQ(table.Intern(blocks[k]), static_cast<BlockId>(k));
  }
  EXPECT_EQ(table.size(), blocks.size());
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    const SoundBlock copy = blocks[k];  // equal bytes at another address
    ASSERT_EQ(table.Find(copy), static_cast<BlockId>(k));
    ASSERT_EQ(table.Intern(copy), static_cast<BlockId>(k));
  }
  EXPECT_EQ(table.size(), blocks.size());
  EXPECT_EQ(table.Find(MakeSound(999'999)), kNoBlock);
}

TEST(NumberPatchesTest, EqualNamesAndEqualBlocksGetEqualNumbersInOrderOfFirstSight) {
  const SoundBlock x = MakeSound(1);
  SoundBlock twin = x;
  twin[84] ^= 1;
  const BankSet set = {MakeBank("A", {MakePatch("Pad", 0, {x, x, twin, MakeSound(2)}),
                                      MakePatch("pad", 0, {MakeSound(2), x, x, x})}),
                       MakeBank("B", {}),
                       MakeBank("C", {MakePatch("Pad", 0, {twin, twin, twin, twin})})};
  const PatchNumbers numbers = NumberPatches(ListSetPatches(set));
  ASSERT_EQ(numbers.patches.size(), 3u);
  EXPECT_EQ(numbers.name_count, 2u);
  EXPECT_EQ(numbers.block_count, 3u);
  const std::vector<std::uint32_t> names = {numbers.patches[0].name, numbers.patches[1].name,
                                            numbers.patches[2].name};
  EXPECT_EQ(names, (std::vector<std::uint32_t>{0, 1, 0}));
  using Sounds = std::array<std::uint32_t, kSoundsPerPatch>;
  EXPECT_EQ(numbers.patches[0].sounds, (Sounds{0, 0, 1, 2}));
  EXPECT_EQ(numbers.patches[1].sounds, (Sounds{2, 0, 0, 0}));
  EXPECT_EQ(numbers.patches[2].sounds, (Sounds{1, 1, 1, 1}));
}

// Ordinals: 0 A0, 1 A1, 2 A2, 3 B0, 4 B1, 5 B2.
BankSet PartnerSet() {
  return {MakeBank("A", {MakePatch("Name One  ", 0, MakeSounds(1, 2, 3, 4)),        // 0
                         MakePatch("Name Two  ", 1, MakeSounds(9, 9, 9, 9)),        // 1
                         MakePatch("Name One  ", 2, MakeSounds(50, 51, 52, 53))}),  // 2
          MakeBank("Empty", {}),
          MakeBank("B", {MakePatch("Name Three", 3, MakeSounds(4, 3, 2, 1)),         // 3
                         MakePatch("Name One  ", 4, MakeSounds(2, 9, 60, 61)),       // 4
                         MakePatch("Name Four ", 5, MakeSounds(70, 71, 72, 73))})};  // 5
}

TEST(SimilarityPartnersTest, GathersNamesakesAndSharersOnceEachInSetOrder) {
  const BankSet set = PartnerSet();
  const std::vector<SetPatch> patches = ListSetPatches(set);
  ASSERT_EQ(patches.size(), 6u);
  const PatchNumbers numbers = NumberPatches(patches);
  const SimilarityPartners partners(numbers);
  const std::vector<std::vector<Ordinal>> expected = {
      {2, 3, 4},  // name of 2 and 4, sounds of 3 and 4 (4 by both: once)
      {4},        // sound 9 four times in 1, once in 4
      {0, 4},     // name only
      {0, 4},     // sounds of 0, sound 2 of 4
      {0, 1, 2, 3}, {},
  };
  std::vector<Ordinal> out = {99};  // replaced, not appended to
  for (Ordinal self = 0; self < expected.size(); ++self) {
    partners.Gather(self, out);
    EXPECT_EQ(out, expected[self]) << "ordinal " << self;
  }
}

TEST(IdentityPartnersTest, GathersPatchesWithTheSameSoundSet) {
  const BankSet set = {MakeBank(
      "A", {MakePatch("a", 0, MakeSounds(1, 2, 3, 4)), MakePatch("b", 0, MakeSounds(1, 1, 2, 2)),
            MakePatch("c", 0, MakeSounds(4, 3, 2, 1)), MakePatch("d", 0, MakeSounds(2, 1, 2, 1)),
            MakePatch("e", 0, MakeSounds(1, 2, 3, 5))})};
  const PatchNumbers numbers = NumberPatches(ListSetPatches(set));
  const IdentityPartners partners(numbers);
  const std::vector<std::vector<Ordinal>> expected = {{2}, {3}, {0}, {1}, {}};
  std::vector<Ordinal> out;
  for (Ordinal self = 0; self < expected.size(); ++self) {
    partners.Gather(self, out);
    EXPECT_EQ(out, expected[self]) << "ordinal " << self;
  }
}

}  // namespace
}  // namespace dravelin
