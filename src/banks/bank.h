// A bank file in memory, and a set of them.

#ifndef DRAVELIN_BANKS_BANK_H_
#define DRAVELIN_BANKS_BANK_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "banks/patch.h"

namespace dravelin {

// Longest bank name kept; longer base names are cut to this many bytes.
inline constexpr std::size_t kMaxBankNameLength = 40;

struct Bank {
  // The file name without its directory and last extension.
  std::string name;
  // The program dumps of the file in file order; empty for a file without any.
  std::vector<Patch> patches;
  // The file name itself, as its directory lists it (DirectoryEntry::name),
  // extension and all (bytes, as for `name`): what tells two banks of one set
  // apart when their names are equal; empty for a bank not read from a file.
  std::string file_name = {};
  // The source messages of the patches that the patches cannot give back
  // themselves, end to end: effects messages and odd program messages
  // (Patch::effects_message, odd_program_message). One store per bank
  // instead of an allocation per patch.
  std::vector<std::uint8_t> messages = {};
};

// The program message of `patch`, a patch of `bank`, as its file holds it:
// packed from the patch's data for a complete dump, the stored bytes
// otherwise (Patch::odd_program_message).
std::vector<std::uint8_t> ProgramMessage(const Bank& bank, const Patch& patch);
// A complete program message (kProgramDumpSize bytes) that unpacks to the
// patch's data, with `program_number`: for a patch read from a complete
// dump, that dump with its program number byte replaced.
std::vector<std::uint8_t> PackedProgramMessage(const Patch& patch, std::uint8_t program_number);
// The effects message of `patch` as its file holds it; empty when the file
// has none for it.
std::span<const std::uint8_t> EffectsMessage(const Bank& bank, const Patch& patch);

// The banks of one directory in the order their files were read
// (BankFileNameLess). A set owns its banks; nothing is shared between sets.
using BankSet = std::vector<Bank>;

// Largest number of bank files read from one directory; further files are
// ignored without a report.
inline constexpr std::size_t kMaxBanksPerSet = 100;

// Number of patches in all banks of the set.
std::size_t CountPatches(const BankSet& set);

// Releases every bank of the set; the set is empty afterwards.
void FreeBankSet(BankSet& set);

}  // namespace dravelin

#endif  // DRAVELIN_BANKS_BANK_H_
