// The patch name section of a bank in the syntax of a sequencer's
// instrument definition files, for pasting into such a file.

#ifndef DRAVELIN_REPORT_INSTRUMENT_SECTION_H_
#define DRAVELIN_REPORT_INSTRUMENT_SECTION_H_

#include "banks/bank.h"
#include "report/report_channel.h"

namespace dravelin {

// Writes, every line through WriteReportLine: "[<bank name>]",
// "BasedOn=<bank name>", one "<n>=<NNN>: <name>" line per patch in file
// order (all of them, however many), and two empty lines. n is the program
// number in decimal, NNN the same number in three digits.
void WriteInstrumentSection(ReportChannel& channel, const Bank& bank);

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_INSTRUMENT_SECTION_H_
