// A bank file in memory, and a set of them.

#ifndef DRAVELIN_BANKS_BANK_H_
#define DRAVELIN_BANKS_BANK_H_

#include <cstddef>
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
  // The name of the bank file as its directory listed it, extension and all
  // (bytes, as for `name`); empty for a bank not read from a file.
  std::string file_name = {};
};

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
