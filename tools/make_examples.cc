// Writes the bundled example banks: a small Compare set and Base set of
// made-up patches that between them show every kind of verdict the reports
// give (identical, sounds identical, similar by name and by sound, matches
// against the Base set and unique patches).
//
// Usage: make_examples OUTPUT_DIR   (writes OUTPUT_DIR/Compare and OUTPUT_DIR/Base)

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/sysex/dump_builder.h"

namespace {

using dravelin::sysex::MakeSounds;
using dravelin::sysex::SyxBuilder;

struct ExamplePatch {
  std::uint8_t program;
  const char* name;
  std::uint32_t sounds[4];  // seeds of the four sound blocks
};

struct ExampleBank {
  const char* path;
  bool effects_after_each;  // interleave a skipped effects message
  std::vector<ExamplePatch> patches;
};

constexpr std::uint32_t kFiller = 99;  // the sound of an unused slot

const std::vector<ExampleBank>& Banks() {
  static const std::vector<ExampleBank> banks = {
      {"Compare/Studio Pads.syx",
       false,
       {{0, "Warm Pad", {1, 2, 3, 4}},
        {1, "Glass Bell", {5, 6, 7, 8}},
        {2, "Deep Bass", {9, 10, 11, 12}},
        {3, "Choir Aahs", {13, 14, 15, 16}},
        {4, "Soft Str", {17, 18, 19, 20}},
        {5, "Init Prog", {kFiller, kFiller, kFiller, kFiller}},
        {6, "Pluck Harp", {21, 22, 23, 24}},
        {7, "Night Sky", {25, 26, 27, 28}}}},
      {"Compare/Found Online.syx",
       true,
       {{0, "Warm Pad", {1, 2, 3, 4}},       // identical to Studio Pads 000
        {1, "Cool Bells", {8, 7, 6, 5}},     // Glass Bell renamed, sounds reordered
        {2, "Deep Bass", {40, 41, 42, 43}},  // same name only
        {3, "Choir Mix", {13, 44, 45, 16}},  // two sounds of Choir Aahs
        {4, "Init Prog", {kFiller, kFiller, kFiller, kFiller}},
        {5, "Rave Lead", {46, 47, 48, 49}},
        {6, "Space Pad", {25, 50, 51, 52}},  // one sound of Night Sky
        {7, "Tubular", {53, 54, 55, 56}}}},
      {"Compare/Leads.SYX",
       false,
       {{10, "Saw Lead", {60, 61, 62, 63}},
        {11, "Sync Lead", {64, 65, 66, 67}},
        {12, "Rave Lead", {49, 48, 47, 46}},  // Found Online's Rave Lead, reordered
        {13, "Square Ld", {68, 69, 70, 71}},
        {14, "Mono Bass", {9, 9, 10, 11}},  // shares three sounds with Deep Bass
        {15, "Organ Pipe", {72, 73, 74, 75}}}},
      {"Base/User Bank.syx",
       true,
       {{0, "My Pad", {4, 3, 2, 1}},        // Warm Pad under another name
        {1, "Bells", {5, 6, 7, 8}},         // Glass Bell and Cool Bells
        {2, "Saw Lead", {60, 61, 62, 64}},  // one sound differs: no match
        {3, "Organ", {72, 73, 74, 75}},
        {4, "Hollow Wnd", {80, 81, 82, 83}},
        {5, "Big Brass", {84, 85, 86, 87}}}},
      {"Base/Preset Keys.syx",
       false,
       {{0, "Grand Pno", {90, 91, 92, 93}},
        {1, "E.Piano ~1", {94, 95, 96, 97}},
        {2, "Init Prog", {kFiller, kFiller, kFiller, kFiller}},
        {3, "Clav", {100, 101, 102, 103}}}},
  };
  return banks;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples OUTPUT_DIR\n");
    return 2;
  }
  const std::filesystem::path out_dir = argv[1];
  for (const ExampleBank& bank : Banks()) {
    SyxBuilder builder;
    for (const ExamplePatch& p : bank.patches) {
      builder.Dump(p.program, p.name,
                   MakeSounds(p.sounds[0], p.sounds[1], p.sounds[2], p.sounds[3]));
      if (bank.effects_after_each) builder.OtherMessage(76);
    }
    const std::filesystem::path path = out_dir / bank.path;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(builder.bytes().data(), static_cast<std::streamsize>(builder.bytes().size()));
    if (!file) {
      std::fprintf(stderr, "make_examples: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
