// The near pairs of played sounds on the real bank files, held against the
// decoder's own comparison of sounds: every pair found differs in the
// parameters it says, and a spread sample of the other pairs holds none
// within three that the index missed. Skipped when the files are absent.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "banks/bank_directory.h"
#include "params/patch_decoder.h"
#include "tests/support/real_banks.h"
#include "tests/support/temp_dir.h"
#include "twins/near_twins.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

int Parameters(const SoundBlock& a, const SoundBlock& b) {
  const params::Comparison comparison = params::CompareSounds(a, b, 0);
  if (!comparison.comparable) return kFar;
  int count = 0;
  for (const params::FieldDifference& difference : comparison.differences) {
    if (difference.field->kind != params::FieldKind::kSpare) ++count;
  }
  return count;
}

TEST(RealBanksTwinsTest, NearPairsAreWhatTheDecoderCounts) {
  if (!fs::is_directory(DRAVELIN_QS_BANKS)) GTEST_SKIP() << "no real banks beside the checkout";
  testing::TempDir dir;
  ASSERT_GT(testing::GatherRealBankFiles(DRAVELIN_QS_BANKS, dir.path() / "Compare",
                                         testing::Gather::kLink),
            40);
  BankSet compare_set;
  ASSERT_EQ(ReadBankDirectory(dir.path(), "Compare", compare_set), kAllIsOk);
  const SoundGroups groups(compare_set, BankSet());
  const NearTwins twins(groups);
  const PlayedSounds& played = twins.played();

  // A block of each played sound.
  std::vector<const SoundBlock*> block_of(played.played_count(), nullptr);
  for (std::size_t ordinal = 0; ordinal < groups.patch_count(); ++ordinal) {
    const NumberedPatch& numbered = groups.numbers().patches[ordinal];
    for (std::size_t slot = 0; slot < kSoundsPerPatch; ++slot) {
      const PlayedId id = played.played_of_block(numbered.sounds[slot]);
      if (id != kSwitchedOff && block_of[id] == nullptr) {
        block_of[id] = &groups.patches()[ordinal].patch->sounds[slot];
      }
    }
  }

  ASSERT_GT(played.near_pairs().size(), 1000u);
  for (const NearSoundPair& pair : played.near_pairs()) {
    ASSERT_EQ(Parameters(*block_of[pair.first], *block_of[pair.second]), pair.distance)
        << "played sounds " << pair.first << " and " << pair.second;
  }
  std::size_t sampled = 0;
  const auto count = static_cast<PlayedId>(played.played_count());
  for (PlayedId a = 0; a < count; a += 17) {
    for (PlayedId b = a + 1; b < count; b += 29) {
      const int parameters = Parameters(*block_of[a], *block_of[b]);
      ++sampled;
      ASSERT_EQ(played.Distance(a, b), parameters <= kMostDifferences ? parameters : kFar)
          << "played sounds " << a << " and " << b;
    }
  }
  EXPECT_GT(sampled, 100000u);
}

}  // namespace
}  // namespace dravelin
