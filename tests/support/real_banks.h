// The real bank files kept beside the checkout, gathered into one folder for
// tests and benchmarks that need a large, realistic Compare set.

#ifndef DRAVELIN_TESTS_SUPPORT_REAL_BANKS_H_
#define DRAVELIN_TESTS_SUPPORT_REAL_BANKS_H_

#include <filesystem>

namespace dravelin::testing {

enum class Gather { kLink, kCopy };

// Puts every *.syx file (any case) below `banks` into `compare` (created if
// missing), named after its path below `banks` with '/' turned into '_' so
// that files of the same name in different folders stay apart. Returns how
// many files were gathered.
int GatherRealBankFiles(const std::filesystem::path& banks, const std::filesystem::path& compare,
                        Gather how);

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_SUPPORT_REAL_BANKS_H_
