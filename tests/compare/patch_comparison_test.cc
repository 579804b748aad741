#include "compare/patch_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/patch_numbers.h"
#include "compare/set_patches.h"
#include "tests/compare/oracle/generated_sets.h"
#include "tests/compare/report_fixture.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::MakeSound;
using sysex::MakeSounds;

SoundBlock WithByteFlipped(SoundBlock block, std::size_t at) {
  block[at] = static_cast<std::uint8_t>(block[at] ^ 0x80);
  return block;
}

TEST(CompareNamesTest, NamesAreEqualOnlyWhenEveryByteIs) {
  struct Case {
    const char* first;
    const char* second;
    MessageCode expected;
  };
  const Case cases[] = {
      {"Bright Pad", "Bright Pad", kNamesIdentical},
      {"Bright Pad", "bright Pad", kNamesDifferent},  // case counts
      {"Pad A     ", "Pad A    x", kNamesDifferent},  // trailing blank against a letter
      {"Pad A     ", "Pad A", kNamesDifferent},       // length counts
      {"          ", "          ", kNamesIdentical},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareNames(c.first, c.second), c.expected) << c.first << "|" << c.second;
    EXPECT_EQ(CompareNames(c.second, c.first), c.expected) << c.second << "|" << c.first;
  }
}

TEST(CompareSoundsTest, EveryByteOfTheBlockCounts) {
  const SoundBlock block = MakeSound(7);
  EXPECT_EQ(CompareSounds(block, block), kSoundsIdentical);
  EXPECT_EQ(CompareSounds(block, SoundBlock(block)), kSoundsIdentical);
  EXPECT_EQ(CompareSounds(block, MakeSound(8)), kSoundsDifferent);
  // A difference anywhere, the first byte, the bytes around the first eight
  // and the last byte included, makes the blocks different.
  for (std::size_t at : {0u, 3u, 7u, 8u, 9u, 42u, 83u, 84u}) {
    EXPECT_EQ(CompareSounds(block, WithByteFlipped(block, at)), kSoundsDifferent) << at;
    EXPECT_EQ(CompareSounds(WithByteFlipped(block, at), block), kSoundsDifferent) << at;
  }
}

// Expected sound verdicts as four rows of four characters, 'x' for
// identical and '.' for different.
void ExpectVerdicts(const PatchComparison& c, const std::vector<std::string>& rows) {
  for (std::size_t i = 0; i < kSoundsPerPatch; ++i) {
    for (std::size_t j = 0; j < kSoundsPerPatch; ++j) {
      EXPECT_EQ(c.sound_verdicts[i][j], rows[i][j] == 'x' ? kSoundsIdentical : kSoundsDifferent)
          << "row " << i << ", column " << j;
    }
  }
}

TEST(ComparePatchesTest, FlagsAndVerdictsFollowNamesAndSounds) {
  const SoundBlock x = MakeSound(100);
  const SoundBlock y = MakeSound(101);
  struct Case {
    const char* what;
    Patch first;
    Patch second;
    bool identical;
    bool similar;
    bool sounds_identical;
    MessageCode name_verdict;
    std::vector<std::string> verdicts;
  };
  using testing::MakePatch;
  const std::vector<Case> cases = {
      {"exact copy under another program number",
       MakePatch("Bright Pad", 1, MakeSounds(1, 2, 3, 4)),
       MakePatch("Bright Pad", 99, MakeSounds(1, 2, 3, 4)),
       true,
       true,
       true,
       kNamesIdentical,
       {"x...", ".x..", "..x.", "...x"}},
      {"same name, same sounds in other slots",
       MakePatch("Bright Pad", 1, MakeSounds(1, 2, 3, 4)),
       MakePatch("Bright Pad", 1, MakeSounds(2, 3, 4, 1)),
       true,
       true,
       true,
       kNamesIdentical,
       {"...x", "x...", ".x..", "..x."}},
      {"same sounds, other name",
       MakePatch("Bright Pad", 1, MakeSounds(1, 2, 3, 4)),
       MakePatch("Dark Pad  ", 1, MakeSounds(4, 3, 2, 1)),
       false,
       true,
       true,
       kNamesDifferent,
       {"...x", "..x.", ".x..", "x..."}},
      {"same name, no common sound",
       MakePatch("Bright Pad", 1, MakeSounds(1, 2, 3, 4)),
       MakePatch("Bright Pad", 1, MakeSounds(5, 6, 7, 8)),
       false,
       true,
       false,
       kNamesIdentical,
       {"....", "....", "....", "...."}},
      {"x x y y against x y y y",
       MakePatch("A", 1, {x, x, y, y}),
       MakePatch("B", 1, {x, y, y, y}),
       false,
       true,
       true,
       kNamesDifferent,
       {"x...", "x...", ".xxx", ".xxx"}},
      {"x x x x against x y y y",
       MakePatch("A", 1, {x, x, x, x}),
       MakePatch("B", 1, {x, y, y, y}),
       false,
       true,
       false,
       kNamesDifferent,
       {"x...", "x...", "x...", "x..."}},
      {"one shared sound",
       MakePatch("A", 1, MakeSounds(1, 2, 3, 4)),
       MakePatch("B", 1, MakeSounds(2, 5, 6, 2)),
       false,
       true,
       false,
       kNamesDifferent,
       {"....", "x..x", "....", "...."}},
      {"same name, same sounds but one",
       MakePatch("Bright Pad", 1, MakeSounds(1, 2, 3, 4)),
       MakePatch("Bright Pad", 1, MakeSounds(1, 2, 3, 5)),
       false,
       true,
       false,
       kNamesIdentical,
       {"x...", ".x..", "..x.", "...."}},
      {"names differing in case only, nothing shared",
       MakePatch("Bright Pad", 1, MakeSounds(1, 2, 3, 4)),
       MakePatch("bright Pad", 1, MakeSounds(5, 6, 7, 8)),
       false,
       false,
       false,
       kNamesDifferent,
       {"....", "....", "....", "...."}},
      {"a sound differing in its last byte only",
       MakePatch("A", 1, {x, x, x, x}),
       MakePatch("B", 1, {WithByteFlipped(x, 84), y, y, y}),
       false,
       false,
       false,
       kNamesDifferent,
       {"....", "....", "....", "...."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PatchComparison r = ComparePatches(c.first, c.second);
    EXPECT_EQ(r.identical, c.identical);
    EXPECT_EQ(r.similar, c.similar);
    EXPECT_EQ(r.sounds_identical, c.sounds_identical);
    EXPECT_EQ(r.name_verdict, c.name_verdict);
    ExpectVerdicts(r, c.verdicts);
  }
}

// Over many pairs in which names and sounds collide: swapping the patches
// transposes the sound verdicts and keeps everything else.
TEST(ComparePatchesTest, SwappingThePatchesTransposesTheSoundVerdicts) {
  int sounds_only = 0;
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    const testing::SetPair sets = testing::MakeCollidingSets(seed);
    const std::vector<SetPatch> patches = ListSetPatches(sets.compare_set);
    for (const SetPatch& a : patches) {
      for (const SetPatch& b : patches) {
        const PatchComparison ab = ComparePatches(*a.patch, *b.patch);
        const PatchComparison ba = ComparePatches(*b.patch, *a.patch);
        ASSERT_EQ(ab.identical, ba.identical);
        ASSERT_EQ(ab.similar, ba.similar);
        ASSERT_EQ(ab.sounds_identical, ba.sounds_identical);
        ASSERT_EQ(ab.name_verdict, ba.name_verdict);
        for (std::size_t i = 0; i < kSoundsPerPatch; ++i) {
          for (std::size_t j = 0; j < kSoundsPerPatch; ++j) {
            ASSERT_EQ(ab.sound_verdicts[i][j], ba.sound_verdicts[j][i]);
          }
        }
        sounds_only += ab.sounds_identical && !ab.identical;
      }
    }
  }
  // Pairs with the same sounds in other slots must occur for this to mean
  // anything.
  EXPECT_GT(sounds_only, 100);
}

// The reports judge pairs by the numbers an index gives names and sounds;
// that must be the judgement of the bytes, field for field.
TEST(ComparePatchesTest, NumberedPatchesAreJudgedLikeTheirBytes) {
  int pairs = 0;
  for (std::uint32_t seed = 100; seed < 140; ++seed) {
    const testing::SetPair sets = testing::MakeCollidingSets(seed);
    const std::vector<SetPatch> patches = ListSetPatches(sets.compare_set);
    const PatchNumbers numbers = NumberPatches(patches);
    for (std::size_t a = 0; a < patches.size(); ++a) {
      for (std::size_t b = 0; b < patches.size(); ++b) {
        const PatchComparison bytes = ComparePatches(*patches[a].patch, *patches[b].patch);
        const PatchComparison numbered = ComparePatches(numbers.patches[a], numbers.patches[b]);
        ASSERT_EQ(numbered.identical, bytes.identical);
        ASSERT_EQ(numbered.similar, bytes.similar);
        ASSERT_EQ(numbered.sounds_identical, bytes.sounds_identical);
        ASSERT_EQ(numbered.name_verdict, bytes.name_verdict);
        for (std::size_t i = 0; i < kSoundsPerPatch; ++i) {
          for (std::size_t j = 0; j < kSoundsPerPatch; ++j) {
            ASSERT_EQ(numbered.sound_verdicts[i][j], bytes.sound_verdicts[i][j]);
          }
        }
        ++pairs;
      }
    }
  }
  EXPECT_GT(pairs, 1000);
}

}  // namespace
}  // namespace dravelin
