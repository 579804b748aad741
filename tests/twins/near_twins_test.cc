// The near twins found through what sounds play, held against a plain
// pairwise oracle: every pair of patches of generated sets judged with the
// decoder's own comparison of sounds, on sets built to hold sounds that
// differ in 1, 2, 3 and 4 parameters, in spare bits only, switched-off
// sounds with different left-over data, repeated sounds and other slot
// orders, keyboard and drum sounds, and copies within and across the sets.

#include "twins/near_twins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "params/patch_decoder.h"
#include "params/sound_fields.h"
#include "tools/sysex/field_writer.h"

namespace dravelin {
namespace {

using params::FieldKind;
using params::FieldLayout;
using params::SoundKind;
using Rng = std::mt19937;

constexpr int kOracleFar = 100;

int Uniform(Rng& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

// --- Sounds with known relations ---------------------------------------------

// Parameters an edit may change: not the mode (which makes another kind)
// nor the enable bit.
std::vector<const FieldLayout*> EditableFields(SoundKind kind) {
  std::vector<const FieldLayout*> fields;
  for (const FieldLayout& field : params::SoundFields(kind)) {
    if (field.kind == FieldKind::kSpare || field.name == "Enable" || field.bits.first == 0) {
      continue;
    }
    fields.push_back(&field);
  }
  return fields;
}

std::vector<const FieldLayout*> SpareFields(SoundKind kind) {
  std::vector<const FieldLayout*> fields;
  for (const FieldLayout& field : params::SoundFields(kind)) {
    if (field.kind == FieldKind::kSpare) fields.push_back(&field);
  }
  return fields;
}

// `sound` with `count` different parameters changed.
SoundBlock Edited(Rng& rng, SoundBlock sound, int count) {
  std::vector<const FieldLayout*> fields = EditableFields(params::KindOfSound(sound));
  std::shuffle(fields.begin(), fields.end(), rng);
  for (int k = 0; k < count; ++k) {
    const FieldLayout& field = *fields[static_cast<std::size_t>(k)];
    const std::uint32_t raw = params::ReadBits(sound, field.bits);
    const std::uint32_t flip = 1u << Uniform(rng, 0, field.bits.width - 1);
    sysex::SetRawField(sound, field, raw ^ flip);
  }
  return sound;
}

// `sound` with other spare bits: it plays the same. Keyboard sounds have
// none, and stay as they are.
SoundBlock OtherSpares(Rng& rng, SoundBlock sound) {
  const std::vector<const FieldLayout*> spares = SpareFields(params::KindOfSound(sound));
  if (spares.empty()) return sound;
  const FieldLayout& spare = *spares[static_cast<std::size_t>(Uniform(
      rng, 0, static_cast<int>(spares.size()) - 1))];
  sysex::SetRawField(sound, spare, params::ReadBits(sound, spare.bits) ^ 1u);
  return sound;
}

// `sound` switched off, its other bits left over, perhaps stirred.
SoundBlock SwitchedOff(Rng& rng, SoundBlock sound) {
  if (Uniform(rng, 0, 1) == 0) {
    for (std::size_t k = 0; k < 3; ++k) {
      const auto at = static_cast<std::size_t>(Uniform(rng, 1, kSoundBlockSize - 1));
      sound[at] = static_cast<std::uint8_t>(Uniform(rng, 0, 255));
    }
  }
  sysex::SetRawField(sound, params::SoundEnableField(params::KindOfSound(sound)), 0);
  return sound;
}

class SetMaker {
 public:
  explicit SetMaker(std::uint32_t seed) : rng_(seed) {
    const int keyboards = Uniform(rng_, 2, 4);
    const int drums = Uniform(rng_, 1, 2);
    for (int k = 0; k < keyboards + drums; ++k) {
      bases_.push_back(sysex::MakeSoundOfKind(k < keyboards ? SoundKind::kKeyboard
                                                            : SoundKind::kDrum,
                                              seed * 17u + static_cast<std::uint32_t>(k)));
    }
  }

  BankSet MakeSet(std::string_view prefix, int banks) {
    BankSet set(static_cast<std::size_t>(banks));
    for (std::size_t b = 0; b < set.size(); ++b) {
      set[b].name = std::string(prefix) + std::to_string(b);
      const int count = Uniform(rng_, 0, 8);
      for (int p = 0; p < count; ++p) {
        Patch patch;
        patch.name = "Patch " + std::to_string(made_.size());
        patch.name.resize(kPatchNameLength, ' ');
        patch.program_number = static_cast<std::uint8_t>(p);
        patch.sounds = made_.empty() || Uniform(rng_, 0, 3) == 0 ? Fresh() : Variant();
        made_.push_back(patch.sounds);
        set[b].patches.push_back(std::move(patch));
      }
    }
    return set;
  }

 private:
  const SoundBlock& Base() {
    return bases_[static_cast<std::size_t>(Uniform(rng_, 0, static_cast<int>(bases_.size()) - 1))];
  }

  // One to four different sounds, the other slots repeats or switched off.
  std::array<SoundBlock, kSoundsPerPatch> Fresh() {
    std::array<SoundBlock, kSoundsPerPatch> sounds;
    const int distinct = Uniform(rng_, 1, 4);
    for (std::size_t slot = 0; slot < kSoundsPerPatch; ++slot) {
      if (static_cast<int>(slot) < distinct) {
        sounds[slot] = Uniform(rng_, 0, 2) == 0 ? Edited(rng_, Base(), Uniform(rng_, 1, 4)) : Base();
      } else if (Uniform(rng_, 0, 1) == 0) {
        sounds[slot] = sounds[static_cast<std::size_t>(Uniform(rng_, 0, distinct - 1))];
      } else {
        sounds[slot] = SwitchedOff(rng_, Base());
      }
    }
    std::shuffle(sounds.begin(), sounds.end(), rng_);
    return sounds;
  }

  // An earlier patch changed a little.
  std::array<SoundBlock, kSoundsPerPatch> Variant() {
    std::array<SoundBlock, kSoundsPerPatch> sounds =
        made_[static_cast<std::size_t>(Uniform(rng_, 0, static_cast<int>(made_.size()) - 1))];
    const auto slot = static_cast<std::size_t>(Uniform(rng_, 0, kSoundsPerPatch - 1));
    const SoundBlock old = sounds[slot];
    SoundBlock changed = old;
    switch (Uniform(rng_, 0, 6)) {
      case 0:
      case 1:
        changed = Edited(rng_, old, Uniform(rng_, 1, 4));
        break;
      case 2:
        changed = OtherSpares(rng_, old);
        break;
      case 3:
        changed = SwitchedOff(rng_, old);
        break;
      case 4:
        changed = Base();
        break;
      case 5:
        changed = sounds[(slot + 1) % kSoundsPerPatch];
        break;
      default:
        break;
    }
    // Every slot that held the old sound, or just this one.
    const bool all = Uniform(rng_, 0, 1) == 0;
    for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
      if (k == slot || (all && sounds[k] == old)) sounds[k] = changed;
    }
    std::shuffle(sounds.begin(), sounds.end(), rng_);
    return sounds;
  }

  Rng rng_;
  std::vector<SoundBlock> bases_;
  std::vector<std::array<SoundBlock, kSoundsPerPatch>> made_;
};

// --- The oracle --------------------------------------------------------------

// The parameters in which two sounds differ as the decoder compares them,
// spares left out: 0 for two switched-off sounds, 1 for one switched off.
int OracleDistance(const SoundBlock& a, const SoundBlock& b) {
  const params::Comparison comparison = params::CompareSounds(a, b, 0);
  if (!comparison.comparable) return kOracleFar;
  int count = 0;
  for (const params::FieldDifference& difference : comparison.differences) {
    if (difference.field->kind != FieldKind::kSpare) ++count;
  }
  return count;
}

struct OracleSide {
  std::vector<const SoundBlock*> played;  // one of each sound played
  bool has_off = false;
};

OracleSide SideOf(const Patch& patch) {
  OracleSide side;
  for (const SoundBlock& sound : patch.sounds) {
    if (!params::IsSoundEnabled(sound)) {
      side.has_off = true;
      continue;
    }
    const bool seen = std::any_of(side.played.begin(), side.played.end(),
                                  [&](const SoundBlock* s) { return OracleDistance(*s, sound) == 0; });
    if (!seen) side.played.push_back(&sound);
  }
  return side;
}

// Every sound of either side chooses a partner among the other side's
// sounds, or that side's switched-off slot; the pairs chosen (each once)
// cost what they differ in. Switched-off slots may be chosen on one side
// only. The least cost over all choices, or kOracleFar.
int OracleCost(const OracleSide& a, const OracleSide& b) {
  const std::size_t n = a.played.size();
  const std::size_t m = b.played.size();
  if (n == 0 || m == 0) return kOracleFar;
  std::vector<std::vector<int>> d(n, std::vector<int>(m));
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < m; ++j) d[i][j] = OracleDistance(*a.played[i], *b.played[j]);
  }
  int best = kOracleFar;
  // The first side's choices, counted in base m + 1 (m: its partner's
  // switched-off slot).
  std::size_t choices = 1;
  for (std::size_t i = 0; i < n; ++i) choices *= m + 1;
  for (std::size_t code = 0; code < choices; ++code) {
    std::vector<std::size_t> choice(n);
    std::size_t rest = code;
    bool a_switches = false;
    int cost = 0;
    std::set<std::pair<std::size_t, std::size_t>> pairs;
    bool allowed = true;
    for (std::size_t i = 0; i < n; ++i) {
      choice[i] = rest % (m + 1);
      rest /= m + 1;
      if (choice[i] == m) {
        if (!b.has_off) allowed = false;
        a_switches = true;
        cost += 1;
      } else {
        pairs.emplace(i, choice[i]);
        cost += d[i][choice[i]];
      }
    }
    if (!allowed) continue;
    // Each sound of the second side then takes its cheapest choice: a pair
    // already chosen costs nothing more.
    for (std::size_t j = 0; j < m; ++j) {
      int least = kOracleFar;
      if (a.has_off && !a_switches) least = 1;
      for (std::size_t i = 0; i < n; ++i) {
        least = std::min(least, pairs.contains({i, j}) ? 0 : d[i][j]);
      }
      cost += least;
    }
    best = std::min(best, cost);
  }
  return best > kMostDifferences ? kOracleFar : best;
}

// --- The test ----------------------------------------------------------------

std::string Describe(const SoundGroups& groups, Ordinal a, Ordinal b) {
  return "patches " + std::to_string(a) + " and " + std::to_string(b) + " (groups " +
         std::to_string(groups.group_of(a)) + ", " + std::to_string(groups.group_of(b)) + ")";
}

void ExpectNearTwinsAsPairwise(const BankSet& compare_set, const BankSet& base_set) {
  const SoundGroups groups(compare_set, base_set);
  const NearTwins twins(groups);
  std::vector<OracleSide> sides;
  for (const SetPatch& entry : groups.patches()) sides.push_back(SideOf(*entry.patch));

  std::map<std::pair<PlayingId, PlayingId>, int> expected_pairs;
  std::set<std::pair<GroupId, GroupId>> expected_alike;
  const auto count = static_cast<Ordinal>(groups.patch_count());
  for (Ordinal i = 0; i < count; ++i) {
    for (Ordinal j = i + 1; j < count; ++j) {
      const GroupId gi = groups.group_of(i);
      const GroupId gj = groups.group_of(j);
      if (gi == gj || (groups.IsBasePatch(i) && groups.IsBasePatch(j))) continue;
      const int cost = OracleCost(sides[i], sides[j]);
      const PlayingId pi = twins.playing_of(gi);
      const PlayingId pj = twins.playing_of(gj);
      if (cost == 0) {
        expected_alike.emplace(std::min(gi, gj), std::max(gi, gj));
      } else if (cost <= kMostDifferences) {
        ASSERT_NE(pi, pj) << Describe(groups, i, j);
        const auto [at, fresh] = expected_pairs.emplace(std::pair(std::min(pi, pj), std::max(pi, pj)), cost);
        ASSERT_EQ(at->second, cost) << "one playing, two counts: " << Describe(groups, i, j);
      }
    }
  }

  std::map<std::pair<PlayingId, PlayingId>, int> found_pairs;
  for (const NearTwinPair& pair : twins.pairs()) {
    ASSERT_LT(pair.first, pair.second);
    ASSERT_TRUE(found_pairs.emplace(std::pair(pair.first, pair.second), pair.differences).second);
    // What the pairs of sounds name adds up to the count.
    int named = 0;
    for (const SoundMatch& match : pair.matches) {
      named += twins.played().Distance(match.first, match.second);
    }
    EXPECT_EQ(named, pair.differences);
  }
  EXPECT_EQ(found_pairs, expected_pairs);
  for (std::size_t k = 1; k < twins.pairs().size(); ++k) {
    const NearTwinPair& x = twins.pairs()[k - 1];
    const NearTwinPair& y = twins.pairs()[k];
    EXPECT_LT(std::tuple(x.differences, x.first, x.second),
              std::tuple(y.differences, y.first, y.second));
  }

  std::set<std::pair<GroupId, GroupId>> found_alike;
  for (const std::vector<GroupId>& alike : twins.play_alike()) {
    ASSERT_GE(alike.size(), 2u);
    ASSERT_TRUE(std::is_sorted(alike.begin(), alike.end()));
    for (std::size_t x = 0; x < alike.size(); ++x) {
      for (std::size_t y = x + 1; y < alike.size(); ++y) {
        // Pairs of two Base-only groups stand in a set only beside a Compare one.
        if (groups.HoldsComparePatch(alike[x]) || groups.HoldsComparePatch(alike[y])) {
          found_alike.emplace(alike[x], alike[y]);
        }
      }
    }
  }
  EXPECT_EQ(found_alike, expected_alike);
}

TEST(NearTwinsTest, FindsWhatThePairwiseOracleFinds) {
  std::size_t pairs = 0;
  std::array<std::size_t, kMostDifferences + 1> by_count{};
  std::size_t alike = 0;
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    SetMaker maker(seed);
    Rng banks(seed);
    const BankSet compare_set = maker.MakeSet("Cmp", Uniform(banks, 1, 4));
    const BankSet base_set = seed % 3 == 0 ? BankSet() : maker.MakeSet("Base", 2);
    ExpectNearTwinsAsPairwise(compare_set, base_set);
    if (HasFatalFailure()) return;
    const SoundGroups groups(compare_set, base_set);
    const NearTwins twins(groups);
    pairs += twins.pairs().size();
    for (const NearTwinPair& pair : twins.pairs()) ++by_count[pair.differences];
    alike += twins.play_alike().size();
  }
  // The sets hold every kind of pair, so that the agreement means something.
  for (int count = 1; count <= kMostDifferences; ++count) {
    EXPECT_GT(by_count[count], 20u) << count << " parameters";
  }
  EXPECT_GT(alike, 20u);
  EXPECT_GT(pairs, 100u);
}

}  // namespace
}  // namespace dravelin
