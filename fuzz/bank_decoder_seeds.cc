// Writes the seed corpus of the decoder fuzzer into the directory given as
// the first argument: small bank files with whole dumps, other messages and
// the damaged forms the decoder has to cope with. With a second directory,
// writes the seeds of the pipeline fuzzer there too: Compare and Base
// folders holding alike patches, one patch alone, odd bank names and files
// without dumps.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tools/sysex/dump_builder.h"
#include "tools/sysex/field_writer.h"

namespace {

using dravelin::params::SoundKind;
using dravelin::sysex::BankOfDistinctPatches;
using dravelin::sysex::MakeEffectsOfConfiguration;
using dravelin::sysex::MakeSoundOfKind;
using dravelin::sysex::MakeSounds;
using dravelin::sysex::SyxBuilder;

using Seeds = std::vector<std::pair<const char*, std::string>>;

bool WriteSeeds(const std::filesystem::path& directory, const Seeds& seeds, const char* extension) {
  std::filesystem::create_directories(directory);
  for (const auto& [name, bytes] : seeds) {
    std::ofstream out(directory / (std::string("seed_") + name + extension), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write seed %s\n", name);
      return false;
    }
  }
  return true;
}

// One bank file of a pipeline input: the form of its name (see the
// fuzzer) and its bytes.
struct SeedFile {
  char name_form;
  std::string bytes;
};

// A pipeline input: the number of Compare files, then every file, Compare
// ones first, each after the separator but the first.
std::string PipelineInput(const std::vector<SeedFile>& compare, const std::vector<SeedFile>& base) {
  std::string input(1, static_cast<char>(compare.size()));
  bool first = true;
  for (const std::vector<SeedFile>* folder : {&compare, &base}) {
    for (const SeedFile& file : *folder) {
      if (!first) input += "\xFE\xED";
      first = false;
      input += file.name_form;
      input += file.bytes;
    }
  }
  return input;
}

Seeds PipelineSeeds() {
  // 003 and 004 are identical, 010 has their sounds under another name, 127
  // shares their name and one sound, 000 shares nothing.
  const std::string mine = SyxBuilder()
                               .Dump(3, "Soft Pad", MakeSounds(1, 2, 3, 4))
                               .Dump(4, "Soft Pad", MakeSounds(4, 3, 2, 1))
                               .Dump(10, "Warm Pad", MakeSounds(2, 1, 3, 4))
                               .Dump(127, "Soft Pad", MakeSounds(1, 50, 51, 52))
                               .Dump(0, "Lonely", MakeSounds(60, 61, 62, 63))
                               .bytes();
  const std::string factory = SyxBuilder()
                                  .Dump(20, "Factory", MakeSounds(3, 4, 1, 2))
                                  .Dump(21, "Lonely", MakeSounds(70, 71, 72, 73))
                                  .bytes();
  const std::string solo = SyxBuilder().Dump(9, "Solo", MakeSounds(80, 81, 82, 83)).bytes();
  Seeds seeds;
  seeds.emplace_back("alike_patches",
                     PipelineInput({{0, mine}, {4, factory + solo}}, {{0, factory}}));
  seeds.emplace_back("one_patch", PipelineInput({{0, solo}}, {{0, solo}, {4, factory}}));
  seeds.emplace_back(
      "odd_names",
      PipelineInput({{5, mine}, {5, BankOfDistinctPatches(3, 90)}, {6, solo + factory}, {7, mine}},
                    {{7, BankOfDistinctPatches(2, 90)}}));
  seeds.emplace_back("without_dumps",
                     PipelineInput({{0, ""}, {1, "no program dump here"}, {2, solo + solo}}, {}));
  seeds.emplace_back("no_compare_patches", PipelineInput({{0, "text"}}, {{0, mine}}));
  return seeds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s DECODER_CORPUS_DIR [PIPELINE_CORPUS_DIR]\n", argv[0]);
    return 2;
  }
  const std::string header("\xF0\x00\x00\x0E\x0E\x00", 6);
  const auto sounds = MakeSounds(1, 2, 3, 4);

  Seeds seeds;
  seeds.emplace_back("one_dump", SyxBuilder().Dump(0, "Grand Pno", sounds).bytes());
  seeds.emplace_back("dumps_and_effects", SyxBuilder()
                                              .Dump(0, "Strings", sounds)
                                              .OtherMessage(83)
                                              .Dump(1, "Brass", MakeSounds(5, 6, 7, 8))
                                              .OtherMessage(83)
                                              .bytes());
  seeds.emplace_back(
      "short_and_empty_payloads",
      SyxBuilder().Raw(header + "\x05\x10\x20\x30\xF7").Raw(header + "\x06\xF7").bytes());
  seeds.emplace_back("overlong_payload", SyxBuilder()
                                             .Dump(2, "Lead", sounds)
                                             .TruncateTo(407)  // the dump without its F7
                                             .Raw({0x11, 0x22, 0x33, 0xF7})
                                             .bytes());
  seeds.emplace_back("broken_headers",
                     SyxBuilder()
                         .Raw({0xF0, 0x41, 0x10, 0x42, 0x12, 0xF0, 0xF0, 0x01, 0xF7})
                         .Dump(3, "Pad", sounds)
                         .bytes());
  seeds.emplace_back("cut_dump", SyxBuilder().Dump(4, "Bass", sounds).TruncateTo(200).bytes());
  // Sounds of both kinds, effects of every configuration, in both layouts.
  SyxBuilder interleaved;
  SyxBuilder programs_first;
  for (unsigned n = 0; n < 6; ++n) {
    const dravelin::sysex::Sounds kinds = {
        MakeSoundOfKind(SoundKind::kKeyboard, n), MakeSoundOfKind(SoundKind::kDrum, n),
        MakeSoundOfKind(SoundKind::kKeyboard, n + 10), MakeSoundOfKind(SoundKind::kDrum, n + 10)};
    const auto effects = MakeEffectsOfConfiguration(n, n);
    interleaved.Dump(static_cast<std::uint8_t>(n), "Kinds", kinds)
        .Effects(static_cast<std::uint8_t>(n), effects);
    programs_first.Dump(static_cast<std::uint8_t>(n), "Kinds", kinds);
  }
  for (unsigned n = 0; n < 6; ++n) {
    programs_first.Effects(static_cast<std::uint8_t>(n), MakeEffectsOfConfiguration(n, 7));
  }
  seeds.emplace_back("effects_interleaved", interleaved.bytes());
  seeds.emplace_back("effects_after_programs", programs_first.bytes());
  seeds.emplace_back("cut_effects", SyxBuilder()
                                        .Dump(5, "Cut FX", sounds)
                                        .Effects(5, MakeEffectsOfConfiguration(2, 1))
                                        .TruncateTo(408 + 50)
                                        .Dump(6, "Next", sounds)
                                        .bytes());

  if (!WriteSeeds(argv[1], seeds, ".syx")) return 1;
  if (argc == 3 && !WriteSeeds(argv[2], PipelineSeeds(), "")) return 1;
  return 0;
}
