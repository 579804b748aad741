// Finding program dumps in a sysex byte stream and decoding each into a Patch.
//
// A program dump is F0, the header 00 00 0E 0E 00, the program number, a
// payload of 7-bit bytes (400 in a complete dump, 50 groups of 8) and F7.
// Every other byte of the stream is skipped. The operations are used in the
// order FindProgramDump, UnpackProgramData, NewPatch, once per dump.

#ifndef DRAVELIN_BANKS_PROGRAM_DUMP_H_
#define DRAVELIN_BANKS_PROGRAM_DUMP_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "banks/byte_stream.h"
#include "banks/patch.h"
#include "base/message_code.h"

namespace dravelin {

inline constexpr std::size_t kProgramDataSize = 350;
// A complete program dump message: F0, five header bytes, the program number,
// 400 payload bytes and F7.
inline constexpr std::size_t kProgramDumpSize = 408;

// The unpacked payload of one dump: position 0 unused, 1 to 9 the packed
// name, then the four sound blocks of 85 bytes each.
using ProgramData = std::array<std::uint8_t, kProgramDataSize>;
static_assert(kProgramCommonSize + kSoundsPerPatch * kSoundBlockSize == kProgramDataSize);

// Scans for the next dump header. Returns kAllIsOk with the program number
// stored, or kEndOfFile when the stream ends first. The header is compared
// byte by byte and the search resumes at the first byte that differs, so an
// F0 there starts a new header and no dump is skipped.
MessageCode FindProgramDump(ByteStream& in, std::uint8_t* program_number);

// Unpacks the payload that follows a program number into `data`, which is
// zeroed first: positions that a short payload does not reach stay zero.
// Returns kAllIsOk when the payload ended with F7 or filled all 350 bytes,
// kEndOfFile when the stream ended inside it (the dump yields no patch).
// An overlong payload stops after its first 402 bytes; the rest is left in
// the stream for the next header search.
MessageCode UnpackProgramData(ByteStream& in, ProgramData& data);

// The name at positions 1 to 9: ten 7-bit codes, least significant bit
// first; code + 32 when printable (space to '~'), '?' otherwise.
void DecodePatchName(const ProgramData& data, Patch& patch);

// Copies positions 10 to 349 into the four sound blocks.
void CopySoundBlocks(const ProgramData& data, Patch& patch);

// A patch built from `data` with the given program number: its name, its
// sounds and its common bytes (positions 0 to 9). Its messages are set by
// the caller that stores them.
Patch NewPatch(const ProgramData& data, std::uint8_t program_number);

// The unpacked program a patch was built from: its common bytes and its four
// sounds, end to end.
ProgramData UnpackedProgram(const Patch& patch);

// True when `message` is a whole program dump as the keyboard sends it:
// kProgramDumpSize bytes, the header, a program number and payload bytes
// below 80 hex, and F7. Only such a message unpacks to its patch's data
// without loss; a patch built from a short or overlong dump keeps the bytes
// the decoder read, and a writer of complete dumps packs UnpackedProgram.
bool IsCompleteProgramMessage(std::span<const std::uint8_t> message);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_PROGRAM_DUMP_H_
