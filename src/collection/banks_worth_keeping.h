// "Print Banks Worth Keeping": for every Compare bank, how many sounds it
// adds to the collection, so that the banks that add nothing stand out.
//
// A sound is a sound group (collection/sound_groups.h): patches with
// identical sounds hold one sound, whatever their names. A bank is one bank
// file: two byte-identical files are two banks, and neither adds a sound
// that the other holds. What a bank adds: its distinct sounds that no other
// Compare bank holds and, when the Base set takes part, that no Base patch
// holds either.

#ifndef DRAVELIN_COLLECTION_BANKS_WORTH_KEEPING_H_
#define DRAVELIN_COLLECTION_BANKS_WORTH_KEEPING_H_

#include <cstddef>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "base/message_code.h"
#include "collection/sound_groups.h"
#include "report/report_channel.h"

namespace dravelin {

inline constexpr std::string_view kBanksWorthKeepingReportFile = "keep.txt";
inline constexpr std::string_view kBanksWorthKeepingLine = "Banks Worth Keeping:";
// Ends the table row of a bank that adds no sound.
inline constexpr std::string_view kAddsNothingMark = "adds nothing";

struct BankWorth {
  BankNumber bank = 0;  // a Compare bank's number in SoundGroups
  std::size_t patches = 0;
  std::size_t sounds = 0;     // its distinct sounds
  std::size_t only_here = 0;  // of those, the ones no other Compare bank holds
  // Of those again, the ones no Base patch holds; equal to only_here when no
  // Base set takes part.
  std::size_t not_in_base = 0;

  std::size_t adds() const { return not_in_base; }
};

// The figures of every Compare bank of `groups`, the banks that add most
// first; banks that add as much stay in load order.
std::vector<BankWorth> RankBanksByWhatTheyAdd(const SoundGroups& groups);

// Writes the report to Compare\keep.txt: the bank file lists of the Compare
// set and, when the Base set takes part (is not empty), of the Base set; a
// separator; "Banks Worth Keeping:" and what the columns count; a separator;
// a fixed-width table with a header row and one row per Compare bank in
// the order of RankBanksByWhatTheyAdd, a bank that adds nothing marked
// kAddsNothingMark; a separator and how many banks add nothing. Returns the
// code of OpenReportFile when that fails (the pane is left alone), otherwise
// the code of CloseReportFile: kAllIsOk, or kTxtFileWriteError when the
// report file could not be written.
MessageCode WriteBanksWorthKeepingReport(ReportChannel& channel, const BankSet& compare_set,
                                         const BankSet& base_set);

}  // namespace dravelin

#endif  // DRAVELIN_COLLECTION_BANKS_WORTH_KEEPING_H_
