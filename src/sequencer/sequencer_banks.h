// The patch names a sequencer is given: the Compare banks that are on the
// keyboard, in the keyboard's bank order, each with the name of every
// program it holds.
//
// A program is named as the keyboard would hold it after the bank file was
// sent to it: each dump lands on its program number, so of two dumps with
// one number the later names the program, and a dump numbered above 127
// names none (no program change reaches it).

#ifndef DRAVELIN_SEQUENCER_SEQUENCER_BANKS_H_
#define DRAVELIN_SEQUENCER_SEQUENCER_BANKS_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "sequencer/keyboard_bank.h"

namespace dravelin {

// Programs a bank holds, and the highest program change number.
inline constexpr std::size_t kProgramsPerBank = 128;

struct ProgramName {
  std::uint8_t number;  // 0 to 127
  std::string name;     // the patch name without its trailing blanks
};

struct SequencerBank {
  KeyboardBank keyboard_bank;  // on the keyboard
  const Bank* bank;            // in the set the banks were collected from
  std::vector<ProgramName> programs;  // by number, each number once
};

struct SequencerBanks {
  std::vector<SequencerBank> banks;  // in keyboard bank order
  std::size_t banks_left_out = 0;    // not on the keyboard
  std::size_t dumps_left_out = 0;    // numbered above 127, or named over by a later dump
};

// The banks of `set` that `assignment` (one keyboard bank per bank, none
// shared) puts on the keyboard. The result points into `set`.
SequencerBanks CollectSequencerBanks(const BankSet& set, std::span<const KeyboardBank> assignment);

// `name` without its trailing blanks.
std::string_view PlainPatchName(std::string_view name);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_SEQUENCER_BANKS_H_
