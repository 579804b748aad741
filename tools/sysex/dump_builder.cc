#include "tools/sysex/dump_builder.h"

#include <algorithm>
#include <cstdio>

namespace dravelin::sysex {

SoundBlock MakeSound(std::uint32_t seed) {
  SoundBlock block;
  std::uint32_t state = seed * 2654435761u + 0x9E3779B9u;
  for (auto& byte : block) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<std::uint8_t>(state >> 7);
  }
  block[0] = static_cast<std::uint8_t>(seed);
  block[1] = static_cast<std::uint8_t>(seed >> 8);
  block[2] = static_cast<std::uint8_t>(seed >> 16);
  block[3] = static_cast<std::uint8_t>(seed >> 24);
  return block;
}

Sounds MakeSounds(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  return {MakeSound(a), MakeSound(b), MakeSound(c), MakeSound(d)};
}

ProgramData MakeProgramData(std::string_view name, const Sounds& sounds) {
  ProgramData data{};
  for (std::size_t j = 0; j < kPatchNameLength; ++j) {
    const char c = j < name.size() ? name[j] : ' ';
    const unsigned code = static_cast<unsigned char>(c) - 32u;
    for (unsigned b = 0; b < 7; ++b) {
      if ((code >> b) & 1u) {
        const std::size_t bit = 7 * j + b;
        data[1 + bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
      }
    }
  }
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    for (std::size_t i = 0; i < kSoundBlockSize; ++i) data[10 + 85 * k + i] = sounds[k][i];
  }
  return data;
}

std::string PackProgramData(const ProgramData& data) {
  std::string payload;
  // 350 bytes = 2800 bits, laid out 7 bits to a payload byte.
  for (std::size_t group = 0; group < 50; ++group) {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < 7; ++i) bits |= std::uint64_t{data[group * 7 + i]} << (8 * i);
    for (std::size_t m = 0; m < 8; ++m) payload += static_cast<char>((bits >> (7 * m)) & 0x7F);
  }
  return payload;
}

std::string ProgramDump(std::uint8_t program_number, const ProgramData& data) {
  std::string dump = {'\xF0', '\x00', '\x00', '\x0E', '\x0E', '\x00'};
  dump += static_cast<char>(program_number);
  dump += PackProgramData(data);
  dump += '\xF7';
  return dump;
}

std::string ProgramDump(std::uint8_t program_number, std::string_view name, const Sounds& sounds) {
  return ProgramDump(program_number, MakeProgramData(name, sounds));
}

std::string PackSevenBitData(std::span<const std::uint8_t> data, std::size_t payload_size) {
  std::string payload;
  for (std::size_t m = 0; m < payload_size; ++m) {
    unsigned byte = 0;
    for (unsigned b = 0; b < 7; ++b) {
      const std::size_t bit = 7 * m + b;
      if (bit / 8 < data.size() && (data[bit / 8] >> (bit % 8)) & 1u) byte |= 1u << b;
    }
    payload += static_cast<char>(byte);
  }
  return payload;
}

EffectsData MakeEffectsData(std::uint32_t seed) {
  const SoundBlock noise = MakeSound(seed ^ 0x5EEDu);
  EffectsData data;
  std::copy_n(noise.begin(), data.size(), data.begin());
  return data;
}

std::string EffectsDump(std::uint8_t number, const EffectsData& data) {
  std::string dump = {'\xF0', '\x00', '\x00', '\x0E', '\x0E', '\x06'};
  dump += static_cast<char>(number);
  dump += PackSevenBitData(data, kEffectsPayloadSize);
  dump += '\xF7';
  return dump;
}

SyxBuilder& SyxBuilder::Effects(std::uint8_t number, const EffectsData& data) {
  bytes_ += EffectsDump(number, data);
  return *this;
}

SyxBuilder& SyxBuilder::Dump(std::uint8_t program_number, std::string_view name,
                             const Sounds& sounds) {
  bytes_ += ProgramDump(program_number, name, sounds);
  return *this;
}

SyxBuilder& SyxBuilder::Dump(std::uint8_t program_number, const ProgramData& data) {
  bytes_ += ProgramDump(program_number, data);
  return *this;
}

SyxBuilder& SyxBuilder::Raw(std::string_view bytes) {
  bytes_ += bytes;
  return *this;
}

SyxBuilder& SyxBuilder::Raw(std::initializer_list<int> bytes) {
  for (int b : bytes) bytes_ += static_cast<char>(b);
  return *this;
}

SyxBuilder& SyxBuilder::OtherMessage(std::size_t data_bytes) {
  Raw({0xF0, 0x00, 0x00, 0x0E, 0x0E, 0x06});
  for (std::size_t i = 0; i < data_bytes; ++i) bytes_ += static_cast<char>(i % 0x80);
  bytes_ += '\xF7';
  return *this;
}

SyxBuilder& SyxBuilder::TruncateTo(std::size_t size) {
  if (size < bytes_.size()) bytes_.resize(size);
  return *this;
}

std::string BankOfDistinctPatches(int count, std::uint32_t seed) {
  SyxBuilder builder;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "Patch %04d", i % 10000);
    const std::uint32_t s = seed + 4u * static_cast<std::uint32_t>(i);
    builder.Dump(static_cast<std::uint8_t>(i), name, MakeSounds(s, s + 1, s + 2, s + 3));
  }
  return builder.bytes();
}

}  // namespace dravelin::sysex
