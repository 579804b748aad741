// Feeds arbitrary bytes to the program dump decoder as the contents of one
// bank file, and decodes every parameter of what it finds. Beyond the
// sanitizers' checks, every decoded bank must keep the invariants the
// reports and the parameter decoder rely on.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "banks/bank.h"
#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "banks/effects_dump.h"
#include "banks/program_dump.h"
#include "base/message_code.h"
#include "params/patch_decoder.h"

namespace dravelin {
namespace {

// Small enough that inputs full of tiny dumps reach it.
constexpr std::size_t kPatchBudget = 256;
// The shortest dump: F0, five header bytes, the program number and F7.
constexpr std::size_t kShortestDump = 8;
// Patches whose every value is shown as text: a few, so that each run stays
// quick; the rest are decoded into vectors and compared.
constexpr std::size_t kPatchesShown = 2;
// The longest message kept: the header and the 402 payload bytes read.
constexpr std::size_t kLongestKept = 7 + 402;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The messages a patch keeps: where the bank's store holds them, and what
// they must begin with.
void CheckMessages(const Bank& bank, const Patch& patch) {
  const auto program = ProgramMessage(bank, patch);
  Check(program.size() >= kShortestDump && program.size() <= kLongestKept);
  constexpr std::uint8_t kHeader[] = {0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x00};
  Check(std::equal(std::begin(kHeader), std::end(kHeader), program.begin()));
  Check(program[6] == patch.program_number);
  // Only what the patch cannot give back is stored.
  Check(IsCompleteProgramMessage(program) == (patch.odd_program_message.size == 0));
  if (IsCompleteProgramMessage(program)) {
    ProgramData unpacked{};
    UnpackSevenBitData(std::span(program).subspan(7, 400), unpacked);
    Check(UnpackedProgram(patch) == unpacked);
  }
  const auto effects = EffectsMessage(bank, patch);
  if (!effects.empty()) {
    Check(IsEffectsDump(effects));
    Check(effects[6] == patch.program_number);
  }
}

// Decodes every part (as text when `show_values`) and compares the patch with
// itself and its predecessor: no difference with itself, and between two enabled sounds
// of one kind exactly one difference for each parameter vector entry that
// differs.
void CheckParameters(const Bank& bank, const Patch& patch, const Patch& previous,
                     bool show_values) {
  if (show_values) {
    for (const params::DecodedPart& part : params::DecodePatch(bank, patch)) {
      for (const params::FieldGroup& group : part.groups) {
        for (const params::FieldValue& value : group.fields) Check(!value.shown().empty());
      }
    }
  }
  Check(params::ComparePatchSounds(patch, patch).differences.empty());
  const auto effects = params::PatchEffects(bank, patch);
  Check(params::CompareEffects(effects, effects).differences.empty());
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    const SoundBlock& a = previous.sounds[k];
    const SoundBlock& b = patch.sounds[k];
    const params::Comparison comparison = params::CompareSounds(a, b, static_cast<int>(k));
    for (const auto& difference : comparison.differences) {
      Check(!params::DescribeDifference(difference).empty());
    }
    if (!params::IsSoundEnabled(a) || !params::IsSoundEnabled(b) ||
        params::KindOfSound(a) != params::KindOfSound(b)) {
      continue;
    }
    const auto va = params::SoundParameterVector(a);
    const auto vb = params::SoundParameterVector(b);
    Check(va.size() == vb.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < va.size(); ++i) differing += va[i] != vb[i];
    Check(comparison.comparable && comparison.differences.size() == differing);
  }
  params::CompareEffects(params::PatchEffects(bank, previous), effects);
}

int DecodeOneInput(const std::uint8_t* data, std::size_t size) {
  ByteStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  Bank bank;
  std::size_t left = kPatchBudget;
  const MessageCode code = ReadProgramDumps(in, bank, &left);

  Check(code == kAllIsOk || code == kOutOfMemory);
  Check(bank.patches.size() + left == kPatchBudget);
  Check(code == kAllIsOk || left == 0);
  Check(bank.patches.size() * kShortestDump <= size);
  for (const Patch& patch : bank.patches) {
    Check(patch.name.size() == kPatchNameLength);
    for (char c : patch.name) Check(c >= ' ' && c <= '~');
  }
  // The stream is read to its end unless the budget stopped the read.
  if (code == kAllIsOk) Check(in.Get() == ByteStream::kEnd);
  if (code != kAllIsOk) return 0;
  for (std::size_t i = 0; i < bank.patches.size(); ++i) {
    CheckMessages(bank, bank.patches[i]);
    CheckParameters(bank, bank.patches[i], bank.patches[i == 0 ? 0 : i - 1], i < kPatchesShown);
  }
  return 0;
}

}  // namespace
}  // namespace dravelin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return dravelin::DecodeOneInput(data, size);
}
