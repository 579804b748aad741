// Writes the seed corpus of the decoder fuzzer into the directory given as
// the only argument: small bank files with whole dumps, other messages and
// the damaged forms the decoder has to cope with.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "tools/sysex/dump_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
    return 2;
  }
  using dravelin::sysex::MakeSounds;
  using dravelin::sysex::SyxBuilder;
  const std::string header("\xF0\x00\x00\x0E\x0E\x00", 6);
  const auto sounds = MakeSounds(1, 2, 3, 4);

  std::vector<std::pair<const char*, std::string>> seeds;
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

  const std::filesystem::path directory = argv[1];
  std::filesystem::create_directories(directory);
  for (const auto& [name, bytes] : seeds) {
    std::ofstream out(directory / (std::string("seed_") + name + ".syx"), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write seed %s\n", name);
      return 1;
    }
  }
  return 0;
}
