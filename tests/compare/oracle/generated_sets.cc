#include "tests/compare/oracle/generated_sets.h"

#include <algorithm>
#include <array>
#include <random>
#include <string_view>
#include <vector>

#include "tools/sysex/dump_builder.h"

namespace dravelin::testing {

using sysex::MakeSound;
namespace {

using Rng = std::mt19937;

int Uniform(Rng& rng, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(rng);
}

bool Chance(Rng& rng, double p) { return std::bernoulli_distribution(p)(rng); }

std::uint8_t RandomProgramNumber(Rng& rng) {
  return static_cast<std::uint8_t>(Uniform(rng, 0, 255));
}

// Copies of `source`: as it is, renamed, renumbered, or with its sounds in
// another order.
Patch CopyOf(Rng& rng, const Patch& source, const std::string& other_name) {
  Patch copy = source;
  switch (Uniform(rng, 0, 3)) {
    case 0:
      break;
    case 1:
      copy.name = other_name;
      break;
    case 2:
      copy.program_number = RandomProgramNumber(rng);
      break;
    default:
      std::shuffle(copy.sounds.begin(), copy.sounds.end(), rng);
      break;
  }
  return copy;
}

const Patch* PickPatch(Rng& rng, const std::vector<const Patch*>& made) {
  return made[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(made.size()) - 1))];
}

std::string CollidingName(Rng& rng) {
  static constexpr std::string_view kLetters = "aAb ";
  std::string name = "Pad      x";
  name[0] = kLetters[static_cast<std::size_t>(Uniform(rng, 0, 2))];
  name[1] = kLetters[static_cast<std::size_t>(Uniform(rng, 0, 3))];
  name[9] = Chance(rng, 0.7) ? 'x' : ' ';
  return name;
}

BankSet CollidingSet(Rng& rng, const std::vector<SoundBlock>& pool, std::vector<const Patch*>& made,
                     std::string_view prefix) {
  BankSet set(static_cast<std::size_t>(Uniform(rng, 0, 5)));
  for (Bank& bank : set) {
    bank.name = std::string(prefix) + std::to_string(Uniform(rng, 0, 3));
    if (Chance(rng, 0.1)) bank.name = std::string(kMaxBankNameLength, 'L');
    // File names may hold line breaks; the pane must still get whole lines.
    if (Chance(rng, 0.03)) bank.name = "Line\r\nBreak";
    // Each bank is filled to the room reserved here and no further, so
    // pointers to its patches stay valid.
    const int count = Chance(rng, 0.25) ? 0 : Uniform(rng, 1, 8);
    bank.patches.reserve(static_cast<std::size_t>(count));
    for (int p = 0; p < count; ++p) {
      Patch patch;
      if (!made.empty() && Chance(rng, 0.3)) {
        patch = CopyOf(rng, *PickPatch(rng, made), CollidingName(rng));
      } else {
        patch.name = CollidingName(rng);
        patch.program_number = RandomProgramNumber(rng);
        for (SoundBlock& sound : patch.sounds) {
          sound =
              pool[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(pool.size()) - 1))];
        }
      }
      bank.patches.push_back(std::move(patch));
      made.push_back(&bank.patches.back());
    }
  }
  return set;
}

}  // namespace

SetPair MakeCollidingSets(std::uint32_t seed) {
  Rng rng(seed);
  std::vector<SoundBlock> pool;
  const int pool_size = Uniform(rng, 2, 9);
  for (int k = 0; k < pool_size; ++k) {
    if (k > 0 && Chance(rng, 0.3)) {
      // A near twin of the block before: one byte differs, early or late.
      SoundBlock twin = pool.back();
      const std::size_t at =
          Chance(rng, 0.5) ? kSoundBlockSize - 1 : 4 + static_cast<std::size_t>(k);
      twin[at] = static_cast<std::uint8_t>(twin[at] ^ 0x01);
      pool.push_back(twin);
    } else {
      pool.push_back(MakeSound(seed * 31u + static_cast<std::uint32_t>(k)));
    }
  }
  std::vector<const Patch*> made;
  SetPair sets;
  sets.compare_set = CollidingSet(rng, pool, made, "Cmp");
  sets.base_set = CollidingSet(rng, pool, made, "Base");
  return sets;
}

namespace {

constexpr std::array<std::string_view, 40> kWords = {
    "Piano", "EPiano", "Organ",  "Strings", "Brass",   "Pad",    "Lead",   "Bass",
    "Bells", "Choir",  "Guitar", "Flute",   "Sax",     "Synth",  "Sweep",  "Drums",
    "Kit",   "Harp",   "Vox",    "Wind",    "Clav",    "Mallet", "Pluck",  "Stab",
    "Hit",   "Noise",  "Arp",    "Sitar",   "Koto",    "Tabla",  "Horns",  "Cello",
    "Viola", "Violin", "Oboe",   "Tuba",    "Marimba", "Vibes",  "Rhodes", "Wurly"};

std::string VocabularyName(Rng& rng) {
  std::string name(kWords[static_cast<std::size_t>(Uniform(rng, 0, kWords.size() - 1))]);
  name += ' ';
  name += std::to_string(Uniform(rng, 1, 80));
  name.resize(kPatchNameLength, ' ');
  return name;
}

class CorpusMaker {
 public:
  CorpusMaker(std::uint32_t seed, const CorpusShape& shape) : rng_(seed), shape_(shape) {
    filler_ = NewBlock();
    for (int k = 0; k < shape.hot_blocks; ++k) hot_.push_back(NewBlock());
    const int patches = shape.banks * shape.patches_per_bank;
    for (int k = 0; k < patches / 4; ++k) pool_.push_back(NewBlock());
  }

  BankSet MakeSet(std::string_view prefix, const std::vector<const Patch*>* copy_from) {
    BankSet set(static_cast<std::size_t>(shape_.banks));
    std::vector<const Patch*> made;
    for (std::size_t b = 0; b < set.size(); ++b) {
      Bank& bank = set[b];
      bank.name = std::string(prefix) + std::to_string(1000 + b).substr(1);
      bank.patches.reserve(static_cast<std::size_t>(shape_.patches_per_bank));
      for (int p = 0; p < shape_.patches_per_bank; ++p) {
        Patch patch;
        if (copy_from != nullptr && Chance(rng_, shape_.base_from_compare)) {
          patch = CopyOf(rng_, *PickPatch(rng_, *copy_from), VocabularyName(rng_));
        } else if (!made.empty() && Chance(rng_, shape_.copy_share)) {
          patch = CopyOf(rng_, *PickPatch(rng_, made), VocabularyName(rng_));
        } else {
          patch = NewPatch();
        }
        patch.program_number = static_cast<std::uint8_t>(p);
        bank.patches.push_back(std::move(patch));
        made.push_back(&bank.patches.back());
      }
    }
    made_ = std::move(made);
    return set;
  }

  const std::vector<const Patch*>& made() const { return made_; }

 private:
  SoundBlock NewBlock() { return MakeSound(next_seed_++); }

  Patch NewPatch() {
    Patch patch;
    patch.name = Chance(rng_, 0.004) ? "Init Prog " : VocabularyName(rng_);
    for (SoundBlock& sound : patch.sounds) {
      sound = Chance(rng_, shape_.pooled_share) ? pool_[static_cast<std::size_t>(Uniform(
                                                      rng_, 0, static_cast<int>(pool_.size()) - 1))]
                                                : NewBlock();
    }
    for (const SoundBlock& hot : hot_) {
      if (Chance(rng_, shape_.hot_share)) {
        patch.sounds[static_cast<std::size_t>(Uniform(rng_, 0, 3))] = hot;
      }
    }
    if (Chance(rng_, shape_.filler_share)) {
      // Unused sounds at the end of the patch hold the filler; mostly one.
      const double draw = std::uniform_real_distribution<double>(0, 1)(rng_);
      const int unused = draw < 0.8 ? 1 : draw < 0.95 ? 2 : 3;
      for (int k = 0; k < unused; ++k) patch.sounds[static_cast<std::size_t>(3 - k)] = filler_;
    }
    return patch;
  }

  Rng rng_;
  CorpusShape shape_;
  std::uint32_t next_seed_ = 1;
  SoundBlock filler_;
  std::vector<SoundBlock> hot_;
  std::vector<SoundBlock> pool_;
  std::vector<const Patch*> made_;
};

}  // namespace

SetPair MakeRealisticCorpus(std::uint32_t seed, const CorpusShape& shape) {
  CorpusMaker maker(seed, shape);
  SetPair sets;
  sets.compare_set = maker.MakeSet("CBANK", nullptr);
  const std::vector<const Patch*> compare_patches = maker.made();
  sets.base_set = maker.MakeSet("BBANK", &compare_patches);
  return sets;
}

}  // namespace dravelin::testing
