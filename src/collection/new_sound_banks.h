// "Build Banks of New Sounds": bank files the keyboard loads as they are,
// holding one patch of every sound of the Compare set that the Base set
// lacks, each bank with a list of what its slots hold.
//
// The new sounds are the sound groups (SoundGroups) that hold no Base patch
// (every group when the Base set takes no part), each given by its first
// member in load order, name kept, in the order of the groups. They fill
// banks of kProgramSlots programs numbered from 0, in that order:
// "New Sounds 1.syx", "New Sounds 2.syx", ... in the folder kNewBanksFolder
// beside Compare and Base (never in them, whose files are read as banks).
// Each slot holds its patch's messages as AppendProgramSlot makes them. Beside
// each bank, "New Sounds <n>.txt" lists its slots: the program number, the
// patch as the comparison reports label it, and the sysex file and program
// number it was taken from, with a note where that file holds no effects
// dump for it or its program dump was damaged (and so rebuilt).

#ifndef DRAVELIN_COLLECTION_NEW_SOUND_BANKS_H_
#define DRAVELIN_COLLECTION_NEW_SOUND_BANKS_H_

#include <cstddef>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "base/message_code.h"
#include "collection/sound_groups.h"
#include "report/report_channel.h"
#include "report/report_file_name.h"

namespace dravelin {

inline constexpr std::string_view kNewBanksFolder = "New Banks";

// The new sounds of `groups` by ordinal, in the order of their groups.
std::vector<Ordinal> NewSounds(const SoundGroups& groups);

// "New Banks\New Sounds <number>.<extension>", `number` counting from 1.
ReportFileName NewBankFileName(std::size_t number, std::string_view extension);

// What the new banks of a collection hold.
struct NewSoundBanks {
  std::size_t banks = 0;
  std::size_t programs = 0;
};

// Puts the new sounds of `compare_set` against `base_set` (an empty Base set
// takes no part) into banks, and sets `*built` to how many banks and
// programs that makes. When there are none, writes nothing but a word on it
// into the pane and returns kAllIsOk. Otherwise makes sure the folder is
// there (a failure returns kTxtFileWriteError and leaves the pane alone),
// clears the pane, then for each bank in turn stores its bank file and then
// its list, whose text also goes to the pane, the lists parted there by a
// separator line. Returns kAllIsOk, or the code of the first file that
// could not be created (kTxtFileOpenError) or written (kTxtFileWriteError):
// the files before it are whole, and that file and the ones after it are
// not written. With FileOutput off nothing is written and the pane shows
// the lists all the same.
MessageCode WriteNewSoundBanks(ReportChannel& channel, const BankSet& compare_set,
                               const BankSet& base_set, NewSoundBanks* built);

}  // namespace dravelin

#endif  // DRAVELIN_COLLECTION_NEW_SOUND_BANKS_H_
