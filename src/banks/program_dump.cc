#include "banks/program_dump.h"

#include <algorithm>
#include <cstring>

namespace dravelin {
namespace {

constexpr int kSysexStart = 0xF0;
constexpr int kSysexEnd = 0xF7;
constexpr std::array<int, 5> kProgramDumpHeader = {0x00, 0x00, 0x0E, 0x0E, 0x00};

}  // namespace

MessageCode FindProgramDump(ByteStream& in, std::uint8_t* program_number) {
  int byte = 0;  // the last byte read; a fresh search has not seen an F0
  for (;;) {
    while (byte != kSysexStart) {
      byte = in.Get();
      if (byte == ByteStream::kEnd) return kEndOfFile;
    }
    bool matched = true;
    for (int expected : kProgramDumpHeader) {
      byte = in.Get();
      if (byte == ByteStream::kEnd) return kEndOfFile;
      if (byte != expected) {
        matched = false;
        break;  // an F0 here begins the next header; any other byte is passed
      }
    }
    if (matched) {
      // Taken unchanged; at the end of the stream the payload read that
      // follows meets the end at once and no patch is built.
      *program_number = static_cast<std::uint8_t>(in.Get());
      return kAllIsOk;
    }
  }
}

MessageCode UnpackProgramData(ByteStream& in, ProgramData& data) {
  data.fill(0);
  std::size_t position = 0;
  for (;;) {
    int low = in.Get();  // m0 of a group
    if (low == kSysexEnd) return kAllIsOk;
    if (low == ByteStream::kEnd) return kEndOfFile;
    for (int k = 0; k < 7; ++k) {
      const int high = in.Get();  // m(k+1)
      if (high == kSysexEnd) return kAllIsOk;
      if (high == ByteStream::kEnd) return kEndOfFile;
      if (position == kProgramDataSize) return kAllIsOk;  // overlong payload
      // d(k) = m(k) div 2^k + (m(k+1) AND (2^(k+1) - 1)) * 2^(7-k), low 8 bits.
      const int mask = (2 << k) - 1;
      data[position++] = static_cast<std::uint8_t>((low >> k) + ((high & mask) << (7 - k)));
      low = high;
    }
  }
}

void DecodePatchName(const ProgramData& data, Patch& patch) {
  patch.name.clear();
  for (std::size_t j = 0; j < kPatchNameLength; ++j) {
    // Character j occupies bits 7j to 7j+6 of the string starting at position 1.
    const std::size_t bit = 7 * j;
    const std::size_t index = 1 + bit / 8;
    const unsigned shift = bit % 8;
    unsigned value = data[index] >> shift;
    if (shift > 1 && index + 1 < data.size()) value |= unsigned{data[index + 1]} << (8 - shift);
    const unsigned code = (value & 0x7F) + 32;
    patch.name += code <= 126 ? static_cast<char>(code) : '?';
  }
}

void CopySoundBlocks(const ProgramData& data, Patch& patch) {
  for (std::size_t k = 0; k < kSoundsPerPatch; ++k) {
    const auto first = data.begin() + 10 + static_cast<std::ptrdiff_t>(kSoundBlockSize * k);
    std::copy_n(first, kSoundBlockSize, patch.sounds[k].begin());
  }
}

Patch NewPatch(const ProgramData& data, std::uint8_t program_number) {
  Patch patch;
  DecodePatchName(data, patch);
  CopySoundBlocks(data, patch);
  std::copy_n(data.begin(), kProgramCommonSize, patch.common.begin());
  patch.program_number = program_number;
  return patch;
}

ProgramData UnpackedProgram(const Patch& patch) {
  ProgramData data;
  auto out = std::copy(patch.common.begin(), patch.common.end(), data.begin());
  for (const SoundBlock& sound : patch.sounds) out = std::copy(sound.begin(), sound.end(), out);
  return data;
}

bool IsCompleteProgramMessage(std::span<const std::uint8_t> message) {
  if (message.size() != kProgramDumpSize || message.front() != kSysexStart ||
      message.back() != kSysexEnd) {
    return false;
  }
  if (!std::equal(kProgramDumpHeader.begin(), kProgramDumpHeader.end(), message.begin() + 1)) {
    return false;
  }
  // Every payload byte below 80 hex, tested eight at a time: this runs for
  // every dump read.
  const std::span<const std::uint8_t> payload = message.subspan(7, kProgramDumpSize - 8);
  std::uint64_t high_bits = 0;
  for (std::size_t at = 0; at < payload.size(); at += sizeof high_bits) {
    std::uint64_t word;
    std::memcpy(&word, payload.data() + at, sizeof word);
    high_bits |= word;
  }
  return (high_bits & 0x8080808080808080u) == 0;
}

}  // namespace dravelin
