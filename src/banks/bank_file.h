// Reading one bank file into a Bank.

#ifndef DRAVELIN_BANKS_BANK_FILE_H_
#define DRAVELIN_BANKS_BANK_FILE_H_

#include <cstddef>
#include <filesystem>

#include "banks/bank.h"
#include "banks/byte_stream.h"
#include "base/message_code.h"

namespace dravelin {

// Patches one set may hold at most. Real banks hold 128 patches and a set at
// most 100 banks; without a bound, a file of tiny dumps could claim memory
// without end. Reaching it is treated as running out of memory (kOutOfMemory).
inline constexpr std::size_t kMaxPatchesPerSet = 128 * 1024;

// Appends a patch to `bank` for every complete dump header followed by a
// payload in `in`, until the stream ends. `patches_left` is the set's
// remaining patch budget; it is counted down. Each patch gets the user
// effects dump of its program number when the stream holds one (the k-th
// patch of a number gets the k-th whole effects dump of that number;
// EffectsDumpFinder tells which messages count), kept in the bank's message
// store with the program messages its data cannot give back. Effects dumps never change which program dumps are
// found. Returns kAllIsOk, or kOutOfMemory when the budget or memory ran out
// (earlier patches stay; their effects are then not attached).
MessageCode ReadProgramDumps(ByteStream& in, Bank& bank, std::size_t* patches_left);

// Opens the regular file at `path`, names the bank after it (BankNameFromPath,
// then FitBankName), keeps its file name (FileNameFromPath) and reads its
// dumps. Returns kAllIsOk,
// kSyxFileOpenError when the file cannot be opened as a regular file (the
// bank keeps its empty name), or kOutOfMemory.
MessageCode ReadBankFile(const std::filesystem::path& path, Bank& bank,
                         std::size_t* patches_left);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_BANK_FILE_H_
