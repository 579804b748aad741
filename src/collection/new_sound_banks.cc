#include "collection/new_sound_banks.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "banks/bank_name.h"
#include "banks/program_slot.h"
#include "compare/patch_label.h"

namespace dravelin {
namespace {

// A program number as the reports write it: three digits at least.
void AppendNumber(unsigned number, std::string& out) {
  std::string digits = std::to_string(number);
  if (digits.size() < 3) out.append(3 - digits.size(), '0');
  out += digits;
}

// The first lines of bank `bank` (from 0) of `banks`: the file, which new
// sounds it holds as which programs, and what each row says.
void WriteListHead(ReportChannel& channel, std::size_t bank, std::size_t first, std::size_t count,
                   std::size_t total, bool with_base) {
  std::string line = NewBankFileName(bank + 1, "syx").Shown();
  if (count == 1) {
    line += ": new sound " + std::to_string(first + 1) + " of " + std::to_string(total) +
            ", as program ";
    AppendNumber(0, line);
  } else {
    line += ": new sounds " + std::to_string(first + 1) + " to " + std::to_string(first + count) +
            " of " + std::to_string(total) + ", as programs ";
    AppendNumber(0, line);
    line += " to ";
    AppendNumber(static_cast<unsigned>(count - 1), line);
  }
  line += '.';
  channel.WriteReportLine(line);
  channel.WriteReportLine(with_base
                              ? "Each is the first patch of its sound in the 'Compare' directory; "
                                "no 'Base' patch has it."
                              : "Each is the first patch of its sound in the 'Compare' directory.");
  channel.WriteReportLine("Program, patch, then the sysex file and program it was taken from:");
  channel.WriteReportLine("");
}

void WriteNoNewSound(ReportChannel& channel, const SoundGroups& groups, bool with_base) {
  channel.ClearReportPane();
  if (groups.compare_patch_count() == 0) {
    channel.WritePaneLine("No new sounds: the 'Compare' directory holds no patch.");
  } else if (with_base) {
    channel.WritePaneLine(
        "No new sounds: every sound in the 'Compare' directory is in the 'Base' directory too.");
  }
  channel.WritePaneLine("No bank was written.");
}

}  // namespace

std::vector<Ordinal> NewSounds(const SoundGroups& groups) {
  std::vector<Ordinal> sounds;
  for (GroupId group = 0; group < groups.group_count(); ++group) {
    if (!groups.HoldsBasePatch(group)) sounds.push_back(groups.members(group).front());
  }
  return sounds;
}

ReportFileName NewBankFileName(std::size_t number, std::string_view extension) {
  std::string file = "New Sounds " + std::to_string(number) + ".";
  file += extension;
  return ReportFileName(kNewBanksFolder, std::move(file));
}

MessageCode WriteNewSoundBanks(ReportChannel& channel, const BankSet& compare_set,
                               const BankSet& base_set, NewSoundBanks* built) {
  const SoundGroups groups(compare_set, base_set);
  const std::vector<Ordinal> sounds = NewSounds(groups);
  const bool with_base = !base_set.empty();
  built->programs = sounds.size();
  built->banks = (sounds.size() + kProgramSlots - 1) / kProgramSlots;
  if (sounds.empty()) {
    WriteNoNewSound(channel, groups, with_base);
    return kAllIsOk;
  }
  MessageCode code = channel.MakeReportFolder(NewBankFileName(1, "syx"));
  if (code != kAllIsOk) return code;
  channel.ClearReportPane();
  std::vector<std::uint8_t> bytes;
  std::vector<SlotMessage> made;
  std::string line;
  for (std::size_t bank = 0; bank < built->banks; ++bank) {
    const std::size_t first = bank * kProgramSlots;
    const std::size_t count = std::min(kProgramSlots, sounds.size() - first);
    bytes.clear();
    made.clear();
    for (std::size_t slot = 0; slot < count; ++slot) {
      const SetPatch& source = groups.patches()[sounds[first + slot]];
      made.push_back(
          AppendProgramSlot(*source.bank, *source.patch, static_cast<std::uint8_t>(slot), bytes));
    }
    code = channel.WriteDataFile(NewBankFileName(bank + 1, "syx"), bytes);
    if (code != kAllIsOk) return code;

    code = channel.OpenReportFile(NewBankFileName(bank + 1, "txt"));
    if (code != kAllIsOk) return code;
    if (bank > 0) channel.WritePaneLine(kSeparatorLine);
    WriteListHead(channel, bank, first, count, sounds.size(), with_base);
    for (std::size_t slot = 0; slot < count; ++slot) {
      const SetPatch& source = groups.patches()[sounds[first + slot]];
      line.clear();
      AppendNumber(static_cast<unsigned>(slot), line);
      line += "  ";
      AppendPatchLabel(*source.bank, *source.patch, line);
      line += "  ";
      line += kReportFolder;
      line += '\\';
      // A control character of the file's name would break the line.
      std::string file =
          source.bank->file_name.empty() ? source.bank->name : source.bank->file_name;
      ReplaceControlCharacters(file);
      line += file;
      line += ", program ";
      AppendNumber(source.patch->program_number, line);
      if (EffectsMessage(*source.bank, *source.patch).empty()) line += "; no effects dump";
      if (made[slot] == SlotMessage::kRebuilt) line += "; damaged dump rebuilt";
      channel.WriteReportLine(line);
    }
    code = channel.CloseReportFile();
    if (code != kAllIsOk) return code;
  }
  return kAllIsOk;
}

}  // namespace dravelin
