#include "sequencer/sequencer_banks.h"

#include <algorithm>
#include <array>

namespace dravelin {

SequencerBanks CollectSequencerBanks(const BankSet& set, std::span<const KeyboardBank> assignment) {
  SequencerBanks result;
  for (std::size_t i = 0; i < set.size() && i < assignment.size(); ++i) {
    if (!IsOnKeyboard(assignment[i])) {
      ++result.banks_left_out;
      continue;
    }
    SequencerBank bank{assignment[i], &set[i], {}};
    std::array<const Patch*, kProgramsPerBank> named{};
    for (const Patch& patch : set[i].patches) {
      if (patch.program_number >= kProgramsPerBank) {
        ++result.dumps_left_out;
        continue;
      }
      const Patch*& slot = named[patch.program_number];
      if (slot != nullptr) ++result.dumps_left_out;
      slot = &patch;
    }
    for (std::size_t number = 0; number < kProgramsPerBank; ++number) {
      if (named[number] == nullptr) continue;
      bank.programs.push_back(
          {static_cast<std::uint8_t>(number), std::string(PlainPatchName(named[number]->name))});
    }
    result.banks.push_back(std::move(bank));
  }
  std::stable_sort(result.banks.begin(), result.banks.end(),
                   [](const SequencerBank& a, const SequencerBank& b) {
                     return a.keyboard_bank < b.keyboard_bank;
                   });
  return result;
}

std::string_view PlainPatchName(std::string_view name) {
  const std::size_t end = name.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
}

}  // namespace dravelin
