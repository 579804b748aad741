// The comparison reports written the plain way: every ordered pair of
// patches judged with ComparePatches, lines formatted with printf-style
// formats. Quadratic in the number of patches, which is why the program does
// not use it; tests and the benchmark hold the indexed reports against it.

#ifndef DRAVELIN_TESTS_COMPARE_ORACLE_LITERAL_REPORTS_H_
#define DRAVELIN_TESTS_COMPARE_ORACLE_LITERAL_REPORTS_H_

#include "banks/bank.h"
#include "base/message_code.h"
#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"
#include "report/report_channel.h"

namespace dravelin::testing {

// Every patch against every other patch of the set, in set order.
MessageCode LiteralWithinCompareReport(ReportChannel& channel, const BankSet& compare_set,
                                       WithinCompareKind kind);

// Every Compare patch against the Base patches in set order until the
// first match.
MessageCode LiteralAgainstBaseReport(ReportChannel& channel, const BankSet& compare_set,
                                     const BankSet& base_set, AgainstBaseKind kind);

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_COMPARE_ORACLE_LITERAL_REPORTS_H_
