// A complete instrument definition file (".ins"): the patch names of every
// bank on the keyboard, each bank a section of ".Patch Names", and one
// instrument in ".Instrument Definitions" that names the section of every
// bank by its bank number: 128 times the bank's controller 0 value, as
// BankSelMethod=0 reads a bank number (MSB * 128 + LSB).
//
// Names are the program's bytes as they stand but for ';', which readers of
// such files take as the start of a comment wherever it stands: it is
// written as ':'. Two banks of one name get sections named "<name> (2)" and
// so on, so that every section name is its bank's alone.

#ifndef DRAVELIN_SEQUENCER_INSTRUMENT_DEFINITIONS_H_
#define DRAVELIN_SEQUENCER_INSTRUMENT_DEFINITIONS_H_

#include <string>
#include <string_view>
#include <vector>

#include "report/report_channel.h"
#include "sequencer/sequencer_banks.h"

namespace dravelin {

// The instrument's name, of this program's own.
inline constexpr std::string_view kInstrumentName = "QS+ Banks (Dravelin)";

// `name` as a name in the file: ';' written as ':'.
std::string InsFileText(std::string_view name);

// The section name of every bank of `banks`, in order.
std::vector<std::string> PatchSectionNames(const SequencerBanks& banks);

// Writes the whole file through `channel`.
void WriteInstrumentDefinitions(ReportChannel& channel, const SequencerBanks& banks);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_INSTRUMENT_DEFINITIONS_H_
