// A REAPER bank/program file (".reabank"): comment lines beginning with
// "//", then per bank on the keyboard a line "Bank <MSB> <LSB> <name>" (MSB
// the controller 0 value that selects it, LSB 0) followed by a line
// "<program> <name>" for every program. UTF-8; bank names are the program's
// bytes read as the pane reads them (base/line_decoding.h).
//
// Exactly one blank stands between a number and a name, and a name runs to
// the end of its line, so a name is kept whole whatever it holds: blanks,
// ';', '&', quotes, '/' or anything else (a name never holds a line break:
// patch names are printable ASCII, and bank names have their control
// characters replaced when they are read).

#ifndef DRAVELIN_SEQUENCER_REABANK_FILE_H_
#define DRAVELIN_SEQUENCER_REABANK_FILE_H_

#include "report/report_channel.h"
#include "sequencer/sequencer_banks.h"

namespace dravelin {

// Writes the whole file through `channel`.
void WriteReabankFile(ReportChannel& channel, const SequencerBanks& banks);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_REABANK_FILE_H_
